#pragma once

#include <QWidget>

namespace tlx4r {
class frmDataImpExp;
}

namespace tlx4r::qt {

// The text file settings: one group of options per choice, two columns, the buttons below.
class DataImpExpView : public QWidget {
    Q_OBJECT
public:
    explicit DataImpExpView(frmDataImpExp& form, QWidget* parent = nullptr);
};

}  // namespace tlx4r::qt
