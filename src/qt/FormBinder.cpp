#include "qt/FormBinder.h"

#include "ui/Controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTimer>
#include <QTreeWidget>

namespace tlx4r::qt {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

QDate ToQDate(Date date) { return QDate(date.Year(), date.Month(), date.Day()); }
Date FromQDate(const QDate& date) { return Date::FromYmd(date.year(), date.month(), date.day()); }

Qt::Alignment ToQt(ui::Alignment alignment) {
    switch (alignment) {
        case ui::Alignment::Right: return Qt::AlignRight | Qt::AlignVCenter;
        case ui::Alignment::Center: return Qt::AlignCenter;
        case ui::Alignment::Left: break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

}  // namespace

FormBinder::FormBinder(ui::Form& form, QWidget* root) : QObject(root), form_(form), root_(root) {
    for (ui::Control* control : form.Controls()) {
        if (control->Kind() == ui::ControlKind::CommonDialog) continue;  // the Ui shows it
        auto* widget = root->findChild<QWidget*>(Q(control->Key()));
        if (widget == nullptr || !Connect(*control, widget)) {
            unbound_.push_back(control->Key());
            continue;
        }
        bindings_.push_back({control, widget});
    }
    // A label's access key goes to the control after it, as on the form.
    for (std::size_t i = 0; i + 1 < bindings_.size(); ++i) {
        if (auto* label = qobject_cast<QLabel*>(bindings_[i].widget.data())) label->setBuddy(bindings_[i + 1].widget);
    }
    observer_ = form_.Observe([this] { Refresh(); });
    // Laying out the view moves widgets inside their frames without telling each of them.
    root->installEventFilter(this);
    Refresh();
}

FormBinder::~FormBinder() { form_.Unobserve(observer_); }

bool FormBinder::Connect(ui::Control& control, QWidget* widget) {
    ui::Control* c = &control;
    switch (control.Kind()) {
        case ui::ControlKind::Label: return qobject_cast<QLabel*>(widget) != nullptr;
        case ui::ControlKind::Frame: return qobject_cast<QGroupBox*>(widget) != nullptr;
        case ui::ControlKind::ProgressBar: return qobject_cast<QProgressBar*>(widget) != nullptr;
        case ui::ControlKind::Button:
        case ui::ControlKind::CheckBox:
        case ui::ControlKind::OptionButton: {
            auto* button = qobject_cast<QAbstractButton*>(widget);
            if (button == nullptr) return false;
            connect(button, &QAbstractButton::clicked, this, [this, c] {
                c->UserClick();
                Refresh();  // the widget toggled itself; the form may have refused
            });
            break;
        }
        case ui::ControlKind::TextBox: {
            auto* box = static_cast<ui::TextBox*>(c);
            if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
                connect(edit, &QLineEdit::textEdited, this, [box](const QString& text) { box->UserSetText(text.toStdString()); });
            } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
                connect(plain, &QPlainTextEdit::textChanged, this, [this, box, plain] {
                    if (!refreshing_) box->UserSetText(plain->toPlainText().toStdString());
                });
            } else {
                return false;
            }
            break;
        }
        case ui::ControlKind::ComboBox: {
            auto* combo = qobject_cast<QComboBox*>(widget);
            if (combo == nullptr) return false;
            auto* box = static_cast<ui::ComboBox*>(c);
            connect(combo, &QComboBox::activated, this, [box](int index) { box->UserSelect(index); });
            break;
        }
        case ui::ControlKind::ListBox: {
            auto* list = qobject_cast<QListWidget*>(widget);
            if (list == nullptr) return false;
            auto* box = static_cast<ui::ListBox*>(c);
            connect(list, &QListWidget::currentRowChanged, this, [box](int row) { box->UserSelect(row); });
            connect(list, &QListWidget::itemDoubleClicked, this, [box] { box->UserDoubleClick(); });
            break;
        }
        case ui::ControlKind::ListView: {
            auto* tree = qobject_cast<QTreeWidget*>(widget);
            if (tree == nullptr) return false;
            auto* lv = static_cast<ui::ListView*>(c);
            tree->setRootIsDecorated(false);
            tree->setSelectionBehavior(QAbstractItemView::SelectRows);
            connect(tree, &QTreeWidget::itemClicked, this, [lv, tree](QTreeWidgetItem* item) {
                lv->UserSelect(tree->indexOfTopLevelItem(item));
            });
            // The arrow keys move the current row without a click; the form must follow, or
            // Enter would take the row the keyboard left.
            connect(tree, &QTreeWidget::currentItemChanged, this, [this, lv, tree](QTreeWidgetItem* item) {
                if (!refreshing_ && item != nullptr) lv->UserSelect(tree->indexOfTopLevelItem(item));
            });
            connect(tree, &QTreeWidget::itemDoubleClicked, this, [lv, tree](QTreeWidgetItem* item) {
                lv->UserDoubleClickRow(tree->indexOfTopLevelItem(item));
            });
            connect(tree->header(), &QHeaderView::sectionClicked, this, [lv](int column) { lv->UserClickColumn(column); });
            break;
        }
        case ui::ControlKind::DatePicker: {
            auto* edit = qobject_cast<QDateEdit*>(widget);
            if (edit == nullptr) return false;
            auto* picker = static_cast<ui::DatePicker*>(c);
            edit->setDisplayFormat("dd.MM.yyyy");
            edit->setCalendarPopup(true);
            // A picker that may be empty shows its emptiness as the day before its first date.
            connect(edit, &QDateEdit::dateChanged, this, [picker, edit](const QDate& date) {
                if (!date.isValid()) return;
                if (picker->AllowEmpty() && date == edit->minimumDate())
                    picker->UserSetValue(std::nullopt);
                else
                    picker->UserSetValue(FromQDate(date));
            });
            break;
        }
        case ui::ControlKind::TabStrip: {
            auto* bar = qobject_cast<QTabBar*>(widget);
            if (bar == nullptr) return false;
            auto* tabs = static_cast<ui::TabStrip*>(c);
            connect(bar, &QTabBar::currentChanged, this, [tabs](int index) { tabs->UserSelect(index); });
            break;
        }
        case ui::ControlKind::CommonDialog: return true;
    }
    widget->installEventFilter(this);
    return true;
}

namespace {

// The character code a key press gives the form's key handler, as the old platform counted
// them; 0 for keys that produce none (arrows, function keys).
int KeyAscii(const QKeyEvent& key) {
    switch (key.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: return 13;
        case Qt::Key_Backspace: return 8;
        default: break;
    }
    const QString text = key.text();
    if (text.size() != 1 || text[0].unicode() < 32 || text[0].unicode() > 0xFF) return 0;
    return text[0].unicode();
}

}  // namespace

void FormBinder::ReportGeometry(const Binding& b) {
    if (!b.widget || !root_) return;
    const QPoint at = b.widget->mapTo(root_, QPoint(0, 0));
    b.control->SetGeometry(ui::PixelsToTwips(at.x()), ui::PixelsToTwips(at.y()), ui::PixelsToTwips(b.widget->width()),
                           ui::PixelsToTwips(b.widget->height()));
}

bool FormBinder::FilterKey(const Binding& b, QKeyEvent& key) {
    auto* edit = qobject_cast<QLineEdit*>(b.widget.data());
    if (edit == nullptr || !b.control->KeyPress || !b.control->CanUse()) return false;
    const int ascii = KeyAscii(key);
    if (ascii == 0) return false;
    int result = ascii;
    {
        ui::Form::EventScope scope(form_);
        b.control->KeyPress(result);
    }
    if (result == ascii) return false;  // the key goes on as typed
    if (result != 0 && result != 13 && result != 8) edit->insert(QString(QChar(result)));
    return true;  // swallowed, or replaced by another character
}

bool FormBinder::eventFilter(QObject* watched, QEvent* event) {
    // Delete empties a date picker that may be empty.
    if (!refreshing_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        for (const Binding& b : bindings_) {
            if (b.widget != watched || b.control->Kind() != ui::ControlKind::DatePicker) continue;
            auto* picker = static_cast<ui::DatePicker*>(b.control);
            if (!picker->AllowEmpty()) return false;
            picker->UserSetValue(std::nullopt);
            return true;
        }
    }
    const QEvent::Type type = event->type();
    if (type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show) {
        for (const Binding& b : bindings_) {
            if (watched == root_ || b.widget == watched) ReportGeometry(b);
        }
        return false;
    }
    if (type == QEvent::KeyPress && !refreshing_) {
        for (const Binding& b : bindings_) {
            if (b.widget == watched) return FilterKey(b, static_cast<QKeyEvent&>(*event));
        }
        return false;
    }
    if (refreshing_ || (type != QEvent::FocusIn && type != QEvent::FocusOut)) return false;
    for (const Binding& b : bindings_) {
        if (b.widget != watched) continue;
        // Buttons take the form's focus when clicked; Qt's focus on them means nothing more.
        if (b.control->Kind() == ui::ControlKind::Button) break;
        if (event->type() == QEvent::FocusIn) {
            b.control->UserFocus();
        } else if (!b.control->UserLeave()) {
            // The form keeps the focus here (its check refused the entry).
            QPointer<QWidget> widget = b.widget;
            QTimer::singleShot(0, widget, [widget] {
                if (widget) widget->setFocus();
            });
        }
        break;
    }
    return false;
}

void FormBinder::Refresh() {
    if (refreshing_) return;
    refreshing_ = true;
    for (const Binding& b : bindings_) {
        if (b.widget) RefreshOne(b);
    }
    if (root_ && root_->isWindow()) root_->setWindowTitle(Q(form_.Caption()));
    refreshing_ = false;
    // A form that moves the focus itself (Enter in a time box, the arrow key from a search box
    // into its list): the widget follows once the current event is over; otherwise Qt's focus is
    // the user's.
    ui::Control* active = form_.ActiveControl();
    if (active != last_active_) {
        last_active_ = active;
        for (const Binding& b : bindings_) {
            if (b.control != active || !b.widget || b.widget->hasFocus()) continue;
            QPointer<QWidget> widget = b.widget;
            QTimer::singleShot(0, widget, [widget] {
                if (widget && widget->isVisible()) widget->setFocus();
            });
            break;
        }
    }
}

void FormBinder::RefreshOne(const Binding& binding) {
    ui::Control& c = *binding.control;
    QWidget* w = binding.widget;
    QSignalBlocker block(w);
    w->setEnabled(c.Enabled());
    w->setVisible(c.Visible());
    w->setToolTip(Q(c.ToolTip()));
    switch (c.Kind()) {
        case ui::ControlKind::Label: static_cast<QLabel*>(w)->setText(Q(c.Caption())); break;
        case ui::ControlKind::Frame: static_cast<QGroupBox*>(w)->setTitle(Q(c.Caption())); break;
        case ui::ControlKind::Button: {
            auto* button = static_cast<QAbstractButton*>(w);
            button->setText(Q(c.Caption()));
            if (auto* push = qobject_cast<QPushButton*>(w)) push->setDefault(static_cast<ui::Button&>(c).IsDefault());
            break;
        }
        case ui::ControlKind::CheckBox: {
            auto* box = static_cast<QCheckBox*>(w);
            box->setText(Q(c.Caption()));
            auto value = static_cast<ui::CheckBox&>(c).Value();
            box->setTristate(value == ui::CheckState::Grayed);
            box->setCheckState(value == ui::CheckState::Checked  ? Qt::Checked
                               : value == ui::CheckState::Grayed ? Qt::PartiallyChecked
                                                                 : Qt::Unchecked);
            break;
        }
        case ui::ControlKind::OptionButton: {
            auto* radio = static_cast<QAbstractButton*>(w);
            radio->setText(Q(c.Caption()));
            radio->setAutoExclusive(false);  // the form keeps the groups
            radio->setChecked(static_cast<ui::OptionButton&>(c).Value());
            break;
        }
        case ui::ControlKind::TextBox: {
            auto& box = static_cast<ui::TextBox&>(c);
            if (auto* edit = qobject_cast<QLineEdit*>(w)) {
                if (edit->text().toStdString() != box.Text()) edit->setText(Q(box.Text()));
                edit->setReadOnly(box.ReadOnly());
                if (box.HasFocus() && box.SelLength() > 0) {
                    edit->setSelection(static_cast<int>(box.SelStart()), static_cast<int>(box.SelLength()));
                }
            } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
                if (plain->toPlainText().toStdString() != box.Text()) plain->setPlainText(Q(box.Text()));
                plain->setReadOnly(box.ReadOnly());
            }
            break;
        }
        case ui::ControlKind::ComboBox:
        case ui::ControlKind::ListBox: {
            auto& list = static_cast<ui::ListControl&>(c);
            QStringList items;
            for (int i = 0; i < list.ListCount(); ++i) items << Q(list.List(i));
            if (auto* combo = qobject_cast<QComboBox*>(w)) {
                QStringList shown;
                for (int i = 0; i < combo->count(); ++i) shown << combo->itemText(i);
                if (shown != items) {
                    combo->clear();
                    combo->addItems(items);
                }
                combo->setCurrentIndex(list.ListIndex());
            } else if (auto* lw = qobject_cast<QListWidget*>(w)) {
                QStringList shown;
                for (int i = 0; i < lw->count(); ++i) shown << lw->item(i)->text();
                if (shown != items) {
                    lw->clear();
                    lw->addItems(items);
                }
                lw->setCurrentRow(list.ListIndex());
            }
            break;
        }
        case ui::ControlKind::ListView: {
            auto& lv = static_cast<ui::ListView&>(c);
            auto* tree = static_cast<QTreeWidget*>(w);
            tree->clear();
            QStringList headers;
            for (const auto& col : lv.Columns()) headers << Q(col.header);
            tree->setColumnCount(static_cast<int>(headers.size()));
            tree->setHeaderLabels(headers);
            for (int i = 0; i < static_cast<int>(lv.Columns().size()); ++i) {
                const int width = lv.Columns()[static_cast<std::size_t>(i)].width;
                // A column of width 0 is one the list does not show (Qt would keep a sliver).
                tree->setColumnHidden(i, width == 0);
                tree->setColumnWidth(i, ui::TwipsToPixels(width));
            }
            for (int r = 0; r < lv.Count(); ++r) {
                auto* item = new QTreeWidgetItem(tree);
                for (int col = 0; col < static_cast<int>(lv.Columns().size()); ++col) {
                    item->setText(col, Q(lv.CellText(r, col)));
                    item->setTextAlignment(col, ToQt(lv.Columns()[static_cast<std::size_t>(col)].alignment));
                }
            }
            if (lv.SelectedIndex() >= 0) tree->setCurrentItem(tree->topLevelItem(lv.SelectedIndex()));
            break;
        }
        case ui::ControlKind::DatePicker: {
            auto& picker = static_cast<ui::DatePicker&>(c);
            auto* edit = static_cast<QDateEdit*>(w);
            const QDate first = ToQDate(picker.MinDate());
            edit->setDateRange(picker.AllowEmpty() ? first.addDays(-1) : first, ToQDate(picker.MaxDate()));
            edit->setSpecialValueText(picker.AllowEmpty() ? QStringLiteral(" ") : QString());
            if (picker.Value())
                edit->setDate(ToQDate(*picker.Value()));
            else if (picker.AllowEmpty())
                edit->setDate(edit->minimumDate());
            break;
        }
        case ui::ControlKind::TabStrip: {
            auto& tabs = static_cast<ui::TabStrip&>(c);
            auto* bar = static_cast<QTabBar*>(w);
            while (bar->count() > tabs.TabCount()) bar->removeTab(bar->count() - 1);
            for (int i = 0; i < tabs.TabCount(); ++i) {
                if (i < bar->count()) {
                    bar->setTabText(i, Q(tabs.TabCaption(i)));
                } else {
                    bar->addTab(Q(tabs.TabCaption(i)));
                }
            }
            bar->setCurrentIndex(tabs.SelectedIndex());
            break;
        }
        case ui::ControlKind::ProgressBar: {
            auto& bar = static_cast<ui::ProgressBar&>(c);
            auto* progress = static_cast<QProgressBar*>(w);
            progress->setRange(bar.Min(), bar.Max());
            progress->setValue(bar.Value());
            break;
        }
        case ui::ControlKind::CommonDialog: break;
    }
}

std::vector<std::string> UnboundControls(ui::Form& form, QWidget* view) {
    FormBinder probe(form, view);
    auto unbound = probe.Unbound();
    // The probe was parented to view; remove it at once rather than with the view.
    probe.setParent(nullptr);
    return unbound;
}

}  // namespace tlx4r::qt
