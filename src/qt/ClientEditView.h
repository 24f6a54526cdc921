#pragma once

#include <QWidget>

namespace tlx4r {
class frmClient;
}

namespace tlx4r::qt {

// The client editor: identification, the address or the extra texts (one of them shown), the
// contact data, and the buttons at the bottom.
class ClientEditView : public QWidget {
    Q_OBJECT
public:
    explicit ClientEditView(frmClient& form, QWidget* parent = nullptr);
};

}  // namespace tlx4r::qt
