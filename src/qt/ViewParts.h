#pragma once

#include "qt/MakeWidget.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <initializer_list>

namespace tlx4r::qt {

// Small layout pieces the component's dialog views share, so that every view lays out labels
// and buttons the same way.

// A label and its box in one grid row (the label is the box's buddy); returns the box.
template <class W = QLineEdit>
W* LabelledRow(QWidget* parent, QGridLayout* grid, int row, const QString& label_key, const QString& box_key,
               int span = 1) {
    auto* label = MakeWidget<QLabel>(parent, label_key);
    auto* box = MakeWidget<W>(parent, box_key);
    label->setBuddy(box);
    grid->addWidget(label, row, 0);
    grid->addWidget(box, row, 1, 1, span);
    return box;
}

// Push buttons in a row, none of them taking Enter for itself: the form's default button does.
inline QHBoxLayout* ButtonRow(QWidget* parent, std::initializer_list<const char*> keys, bool stretch_first = true) {
    auto* row = new QHBoxLayout;
    if (stretch_first) row->addStretch(1);
    for (const char* key : keys) {
        auto* button = MakeWidget<QPushButton>(parent, key);
        button->setAutoDefault(false);
        row->addWidget(button);
    }
    return row;
}

}  // namespace tlx4r::qt
