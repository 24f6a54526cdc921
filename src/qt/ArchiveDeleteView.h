#pragma once

#include <QWidget>

namespace tlx4r {
class frmArchiveDelete;
}

namespace tlx4r::qt {

class FormBinder;

// The dialog that deletes the archived entries: the warning above OK and Abbrechen.
class ArchiveDeleteView : public QWidget {
    Q_OBJECT
public:
    explicit ArchiveDeleteView(frmArchiveDelete& form, QWidget* parent = nullptr);

    FormBinder& Binder() const { return *binder_; }

private:
    FormBinder* binder_ = nullptr;
};

}  // namespace tlx4r::qt
