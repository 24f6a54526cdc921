#pragma once

#include "qt/FormBinder.h"

#include <QWidget>

namespace tlx4r {
class frmEntry;
}

namespace tlx4r::qt {

// The entry form: the fields of every record type in one grid (the form hides what a type does
// not use), the browsing and command buttons below, in reading order for the Tab key.
class EntryView : public QWidget {
public:
    explicit EntryView(frmEntry& form, QWidget* parent = nullptr);

private:
    FormBinder* binder_ = nullptr;
};

}  // namespace tlx4r::qt
