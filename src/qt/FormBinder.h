#pragma once

#include "ui/Form.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <string>
#include <vector>

namespace tlx4r::qt {

// Binds every control of a form to the widget below root whose objectName is the control's
// Key(), forwards what the user does to the control's User… entry points, and re-reads the
// whole form after every event. It holds no behaviour of its own.
//
// Widget types per control: QLabel, QLineEdit/QPlainTextEdit, QPushButton, QCheckBox,
// QRadioButton, QGroupBox, QComboBox, QListWidget, QTreeWidget (report list), QDateEdit,
// QTabBar, QProgressBar; a common dialog needs no widget. The binder lives as long as root.
class FormBinder : public QObject {
    Q_OBJECT
public:
    FormBinder(ui::Form& form, QWidget* root);
    ~FormBinder() override;

    // The keys of the controls that found no widget of a fitting type.
    const std::vector<std::string>& Unbound() const { return unbound_; }
    // Copies the form's state into the widgets.
    void Refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Binding {
        ui::Control* control;
        QPointer<QWidget> widget;
    };
    bool Connect(ui::Control& control, QWidget* widget);
    void RefreshOne(const Binding& binding);

    ui::Form& form_;
    QPointer<QWidget> root_;
    std::vector<Binding> bindings_;
    std::vector<std::string> unbound_;
    int observer_ = 0;
    bool refreshing_ = false;
    ui::Control* last_active_ = nullptr;
};

// The keys of form's controls that have no widget in view; empty when the view is complete.
std::vector<std::string> UnboundControls(ui::Form& form, QWidget* view);

}  // namespace tlx4r::qt
