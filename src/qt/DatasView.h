#pragma once

#include <QWidget>

namespace tlx4r {
class frmDatas;
}

namespace tlx4r::qt {

// The lookup list: the rows on the left, the buttons of choosing and maintaining on the right.
// Insert, Delete and Alt+Enter in the list reach the form.
class DatasView : public QWidget {
    Q_OBJECT
public:
    explicit DatasView(frmDatas& form, QWidget* parent = nullptr);
};

}  // namespace tlx4r::qt
