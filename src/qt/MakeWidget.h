#pragma once

#include <QString>
#include <QWidget>

namespace tlx4r::qt {

// A widget of type W named like the form control it shows: the binder finds its control by
// this objectName.
template <class W>
W* MakeWidget(QWidget* parent, const QString& control_key) {
    auto* w = new W(parent);
    w->setObjectName(control_key);
    return w;
}

}  // namespace tlx4r::qt
