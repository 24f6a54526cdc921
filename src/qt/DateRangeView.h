#pragma once

#include "qt/FormBinder.h"
#include "reporting/ctlDateRange.h"

#include <QWidget>

namespace tlx4r::qt {

// The date range control's widgets: the "von" and "bis" frames side by side, each with its
// mode options, period type list and the date, year and period frames. Embeddable in any
// dialog's view; all behaviour is the control's.
class DateRangeView : public QWidget {
    Q_OBJECT
public:
    explicit DateRangeView(ctlDateRange& range, QWidget* parent = nullptr);

    FormBinder& Binder() const { return *binder_; }

private:
    QWidget* BuildSide(const QString& side, std::initializer_list<int> modes);
    FormBinder* binder_ = nullptr;
};

}  // namespace tlx4r::qt
