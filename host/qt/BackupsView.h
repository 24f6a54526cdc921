#pragma once

#include <QWidget>

namespace tlx4r {
class frmBackups;
}

namespace tlx4r::qt {

// The backups of the open reporting database: the list, and the buttons beneath it.
class BackupsView : public QWidget {
public:
    explicit BackupsView(frmBackups& form, QWidget* parent = nullptr);
};

}  // namespace tlx4r::qt
