#pragma once

#include <QWidget>

namespace tlx4r {
class frmOlContacts;
}

namespace tlx4r::qt {

// The contact list: search line, list, the source line, buttons. Down in the search line goes to
// the list, Up on its first entry back.
class OlContactsView : public QWidget {
    Q_OBJECT
public:
    explicit OlContactsView(frmOlContacts& form, QWidget* parent = nullptr);
};

}  // namespace tlx4r::qt
