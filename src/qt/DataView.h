#pragma once

#include <QWidget>

namespace tlx4r {
class frmData;
}

namespace tlx4r::qt {

// The lookup row editor: ID, names and the rate, or a template's charges and expenses with
// their category buttons.
class DataView : public QWidget {
    Q_OBJECT
public:
    explicit DataView(frmData& form, QWidget* parent = nullptr);
};

}  // namespace tlx4r::qt
