#pragma once

#include <QWidget>

namespace tlx4r {
class frmClientProjects;
}

namespace tlx4r::qt {

// Linking projects to a client: which projects, the search line, the list, the link buttons.
class ClientProjectsView : public QWidget {
    Q_OBJECT
public:
    explicit ClientProjectsView(frmClientProjects& form, QWidget* parent = nullptr);
};

}  // namespace tlx4r::qt
