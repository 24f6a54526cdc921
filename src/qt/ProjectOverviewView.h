#pragma once

#include <QWidget>

namespace tlx4r {
class frmProjectView;
}

namespace tlx4r::qt {

class FormBinder;

// The project overview selection: the option tabs (one frame shown at a time), the description
// and the buttons.
class ProjectOverviewView : public QWidget {
    Q_OBJECT
public:
    explicit ProjectOverviewView(frmProjectView& form, QWidget* parent = nullptr);

    FormBinder& Binder() const { return *binder_; }

private:
    FormBinder* binder_ = nullptr;
};

}  // namespace tlx4r::qt
