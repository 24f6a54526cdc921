#pragma once

#include "qt/FormBinder.h"

#include <QWidget>

namespace tlx4r {
class frmAccount;
}

namespace tlx4r::qt {

// The account editor: a label and a box per line, the flags, Ok and Abbrechen.
class AccountView : public QWidget {
public:
    explicit AccountView(frmAccount& form, QWidget* parent = nullptr);

private:
    FormBinder* binder_ = nullptr;
};

}  // namespace tlx4r::qt
