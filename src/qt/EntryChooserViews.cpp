#include "qt/EntryChooserViews.h"

#include "entries/TypeBase.h"
#include "entries/frmEntryRateChoose.h"
#include "entries/frmEntryTextEdit.h"
#include "entries/frmEntryTypeChoose.h"
#include "entries/frmTypeBase.h"
#include "entries/frmTypeBaseChoose.h"
#include "entries/modTypeBase.h"
#include "qt/EntryTextEditView.h"
#include "qt/ListDialogView.h"
#include "qt/TypeBaseView.h"
#include "qt/ViewRegistry.h"

#include <memory>

namespace tlx4r::qt {

namespace {

Currency Amount(const char* text) { return Currency::Parse(text).value_or(Currency()); }

}  // namespace

void RegisterEntryChooserViews(ViewRegistry& registry) {
    registry.Register(
        "frmEntryTypeChoose",
        [](ui::Form& form) -> QWidget* {
            return new ListDialogView(form, {}, {"btnOk", "btnCancel"});
        },
        [] {
            auto chooser = std::make_unique<frmEntryTypeChoose>();
            chooser->SetInitValue(3);
            return chooser;
        });
    registry.Register(
        "frmTypeBaseChoose",
        [](ui::Form& form) -> QWidget* {
            return new ListDialogView(form, {"btnAll", "btnStandard"}, {"btnOk", "btnCancel"});
        },
        [] {
            auto chooser = std::make_unique<frmTypeBaseChoose>();
            chooser->Load("Gebühren", TypeBase::DefaultTopics(0), TypeNumber("H"));
            return chooser;
        });
    registry.Register(
        "frmTypeBase",
        [](ui::Form& form) -> QWidget* {
            return new TypeBaseView(dynamic_cast<frmTypeBase&>(form));
        },
        [] {
            // The disbursement categories of an office that books some of them to own accounts.
            auto editor = std::make_unique<frmTypeBase>();
            const auto names = TypeBase::DefaultTopics(1);
            std::vector<frmTypeBase::Row> rows;
            for (int n = 1; n <= kTypeMax; ++n)
                rows.push_back({n, names[static_cast<std::size_t>(n - 1)], "", ""});
            rows[0].account = "3400";
            rows[0].account_name = "Weiterbelastete Auslagen";
            rows[static_cast<std::size_t>(TypeNumber("K") - 1)].account = "3410";
            rows[static_cast<std::size_t>(TypeNumber("K") - 1)].account_name =
                "Kopien und Drucksachen";
            rows[static_cast<std::size_t>(TypeNumber("P") - 1)].account = "3420";
            rows[static_cast<std::size_t>(TypeNumber("P") - 1)].account_name = "Porti und Versand";
            editor->Load("Auslagen", std::move(rows));
            return editor;
        });
    registry.Register(
        "frmEntryRateChoose",
        [](ui::Form& form) -> QWidget* {
            return new ListDialogView(form, {}, {"btnOk", "btnCancel"});
        },
        [] {
            auto chooser = std::make_unique<frmEntryRateChoose>();
            chooser->Load({
                {"(keine Änderung)", "", Amount("180")},
                {"Benutzer (Standard)", "Regula Frei", Amount("220")},
                {"Benutzer (Eintrag)", "Max Sutter", Amount("180")},
                {"Geschäft", "1100.002  Erbengemeinschaft Huber-Stucki", Amount("250")},
                {"Geschäft (Benutzer)", "Regula Frei", Amount("220")},
                {"Geschäft (Art)", "Erbteilung", Amount("200")},
                {"Geschäft (Abteilung)", "(fehlt)", std::nullopt},
            });
            return chooser;
        });
    registry.Register(
        "frmEntryTextEdit",
        [](ui::Form& form) -> QWidget* {
            return new EntryTextEditView(dynamic_cast<frmEntryTextEdit&>(form));
        },
        [] {
            auto editor = std::make_unique<frmEntryTextEdit>();
            editor->txtText.SetText(
                "Besprechung mit den Erben zur Teilung der Liegenschaft Seestrasse 14.\r\n"
                "Entwurf des Erbteilungsvertrags besprochen, offene Punkte: Bewertung, Wohnrecht.");
            return editor;
        });
}

}  // namespace tlx4r::qt
