#pragma once

#include <QWidget>

namespace tlx4r {
class frmDataChoose;
}

namespace tlx4r::qt {

// The search-and-pick list: search line, list, buttons. Down in the search line goes to the list.
class DataChooseView : public QWidget {
    Q_OBJECT
public:
    explicit DataChooseView(frmDataChoose& form, QWidget* parent = nullptr);
};

}  // namespace tlx4r::qt
