#pragma once

#include <QWidget>

namespace tlx4r {
class frmProject;
}

namespace tlx4r::qt {

// The project editor: the project line on top; the links or the extra texts (one of them shown)
// beside the client and the properties; the buttons at the bottom.
class ProjectEditView : public QWidget {
    Q_OBJECT
public:
    explicit ProjectEditView(frmProject& form, QWidget* parent = nullptr);
};

}  // namespace tlx4r::qt
