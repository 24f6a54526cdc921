#pragma once

#include <QWidget>

namespace tlx4r {
class frmExporter;
}

namespace tlx4r::qt {

class FormBinder;

// The export format chooser: the five formats, the presets and OK/cancel.
class ExporterView : public QWidget {
    Q_OBJECT
public:
    explicit ExporterView(frmExporter& form, QWidget* parent = nullptr);

    FormBinder& Binder() const { return *binder_; }

private:
    FormBinder* binder_ = nullptr;
};

}  // namespace tlx4r::qt
