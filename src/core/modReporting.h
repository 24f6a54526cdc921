#pragma once

#include "db/Value.h"

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

namespace tlx4r::db {
class Database;
}
namespace tlx4r::hostapi {
class Calculator;
class Interface;
}  // namespace tlx4r::hostapi
namespace tlx4r::ui {
class Form;
}

// The component's module-wide references and the small routines many classes share. One set per
// loaded component; all of it is used from the user-interface thread only.
namespace tlx4r {

class OlContacts;
class Reporting;

// The live root object; nullptr before it is created and after Tini.
extern Reporting* goReporting;
// The host's interface (not owned); nullptr until the host hands it over.
extern hostapi::Interface* goInterface;
// The open reporting database (owned by DBReporting); nullptr while none is open.
extern db::Database* goDatabase;
// The host's calculator (owned by the root object); nullptr when the host offers none.
extern hostapi::Calculator* goCalculator;
// The contacts reader (owned by the root object); nullptr before it is created and after Tini.
extern OlContacts* goOlContacts;

// How the root object gets its calculator: the host's libraries supply it. Without a factory
// the root object has no calculator and CalculatorShow reports that.
using CalculatorFactory = std::function<std::unique_ptr<hostapi::Calculator>()>;
void CalculatorFactorySet(CalculatorFactory factory);
const CalculatorFactory& CalculatorFactoryGet();

// Hands a trace record of source "Reporting" to the host: by convention the operation, the
// phase ("1" started, "2" finished) and its object; at most nine values, the rest stay Null.
// Dropped while no host interface is set. Never throws.
void TraceWrite(std::initializer_list<db::Value> values);
// Asks the host to open a document (action, path, arguments); skipped while no host interface
// is set. The host's error passes to the caller.
void HostDocumentOpen(const db::Value& action, const db::Value& path, const db::Value& arguments);
// Shows the form modally through the Ui.
void FormShowModal(ui::Form& form);
// The question of an editor with unsaved changes ("Die Daten sind geändert worden!" and then
// second_line, titled "Eintrag speichern"): Yes runs save, No discards. True when the caller may
// go on: saved, or discarded; false on Cancel or when saving failed.
bool AskToSave(const std::string& second_line, const std::function<bool()>& save);
// Sets the foreign key prefix + "ID" of table to 0 where it is Null or names no row of the table
// prefix. Throws AppError 91 while no reporting database is open.
void ForeignKeyRepair(const std::string& table, const std::string& prefix);

// The component's version; the revision counts builds of a minor version.
inline constexpr int kVersionMajor = 4;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionRevision = 0;
// "04.01.023 - 16.12.2017": major and minor zero-filled to two digits, the revision to three,
// then the release date.
std::string VersionText(int major, int minor, int revision);
// The component's legal notice, as its version information carries it.
std::string LegalCopyright();

// The lookup-table kinds 1..5 (client, person, project type, department, template): the German
// word, the table and its name field; "" for any other number.
std::string DataFlavorText(int kind);
std::string DataFlavorTable(int kind);
std::string DataFlavorNameField(int kind);

}  // namespace tlx4r
