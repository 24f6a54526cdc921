#pragma once

#include <QWidget>

namespace tlx4r {
class frmOptions;
}

namespace tlx4r::qt {

// The options: a group per subject (office, project export, contacts, backups), Ok and Abbrechen.
class OptionsView : public QWidget {
public:
    explicit OptionsView(frmOptions& form, QWidget* parent = nullptr);
};

}  // namespace tlx4r::qt
