#include "core/modReporting.h"

#include "ui/Ui.h"

#include "core/modStringLibrary.h"
#include "db/Database.h"
#include "hostapi/Calculator.h"
#include "hostapi/Interface.h"
#include "types/AppError.h"
#include "ui/Form.h"

#include <array>

namespace tlx4r {

Reporting* goReporting = nullptr;
hostapi::Interface* goInterface = nullptr;
db::Database* goDatabase = nullptr;
hostapi::Calculator* goCalculator = nullptr;
OlContacts* goOlContacts = nullptr;

namespace {

CalculatorFactory& Factory() {
    static CalculatorFactory factory;
    return factory;
}

struct Flavor {
    const char* text;
    const char* table;
    const char* name_field;
};
constexpr std::array<Flavor, 5> kFlavors{{
    {"Klient", "Client", "KeyName"},
    {"Person", "Person", "PersonName"},
    {"Geschäftsart", "ProjectType", "ProjectTypeName"},
    {"Abteilung", "Department", "DepartmentNameFull"},
    {"Standardtext", "Template", "TemplateName"},
}};

const Flavor* FlavorOf(int kind) {
    return kind >= 1 && kind <= 5 ? &kFlavors[static_cast<std::size_t>(kind - 1)] : nullptr;
}

}  // namespace

std::string VersionText(int major, int minor, int revision) {
    return NumZeroFill(major, 2) + "." + NumZeroFill(minor, 2) + "." + NumZeroFill(revision, 3) + " - " + ReleaseDate();
}

std::string LegalCopyright() { return "Copyright (C) 2017 Kelvora. Alle Rechte vorbehalten."; }

void CalculatorFactorySet(CalculatorFactory factory) { Factory() = std::move(factory); }

const CalculatorFactory& CalculatorFactoryGet() { return Factory(); }

void TraceWrite(std::initializer_list<db::Value> values) {
    if (goInterface == nullptr) return;
    hostapi::TraceValues record;
    std::size_t i = 0;
    for (const auto& v : values) {
        if (i == record.size()) break;
        record[i++] = v;
    }
    try {
        goInterface->Trace("Reporting", record);
    } catch (...) {
        // the host promises not to throw; a trace must never break what it follows
    }
}

void HostDocumentOpen(const db::Value& action, const db::Value& path, const db::Value& arguments) {
    if (goInterface == nullptr) return;
    goInterface->DocumentOpen("Reporting", hostapi::DocumentValues{action, path, arguments});
}

void FormShowModal(ui::Form& form) { form.Show(true); }

bool AskToSave(const std::string& second_line, const std::function<bool()>& save) {
    switch (ui::MsgBox("Die Daten sind geändert worden!\r\n" + second_line, ui::Buttons::YesNoCancel,
                       ui::Icon::Question, "Eintrag speichern")) {
        case ui::Answer::Yes: return save();
        case ui::Answer::No: return true;
        default: return false;
    }
}

void ForeignKeyRepair(const std::string& table, const std::string& prefix) {
    if (goDatabase == nullptr)
        throw AppError(91, "ForeignKeyRepair", "Es ist keine Reporting Datenbank geöffnet.");
    const std::string key = table + "." + prefix + "ID";
    goDatabase->Execute("UPDATE " + table + " SET " + key + " = 0 WHERE (" + key + " Is Null);");
    goDatabase->Execute("UPDATE " + table + " SET " + key + " = 0 WHERE (((" + key + ")<>0 And (" + key +
                        ") Not In (SELECT ID FROM " + prefix + ";)));");
}

std::string DataFlavorText(int kind) {
    const Flavor* f = FlavorOf(kind);
    return f ? f->text : "";
}

std::string DataFlavorTable(int kind) {
    const Flavor* f = FlavorOf(kind);
    return f ? f->table : "";
}

std::string DataFlavorNameField(int kind) {
    const Flavor* f = FlavorOf(kind);
    return f ? f->name_field : "";
}

}  // namespace tlx4r
