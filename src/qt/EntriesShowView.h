#pragma once

#include <QWidget>

namespace tlx4r {
class frmEntriesShow;
}

namespace tlx4r::qt {

class FormBinder;

// The entries list: the report list filling the window, the criteria summary and the buttons.
class EntriesShowView : public QWidget {
    Q_OBJECT
public:
    explicit EntriesShowView(frmEntriesShow& form, QWidget* parent = nullptr);

    FormBinder& Binder() const { return *binder_; }

private:
    FormBinder* binder_ = nullptr;
};

}  // namespace tlx4r::qt
