#include "Command.h"
#include "core/DBReporting.h"
#include "masterdata/Datas.h"
#include "types/Utf8.h"

#include <iostream>

namespace tlx4r::cli {

namespace {

constexpr const char* kUsage =
    "usage: tlx4r lookup REPORTING TABLE export|import FILE [--sep ';'|','|tab] [--delim '\"'|\"'\"|none] "
    "[--header] [--keep] [--overwrite]\n"
    "  TABLE: Department, ProjectType, Person or Template (or Abteilungen, Geschäftsarten, Personen, "
    "Standardtexte)\n"
    "  --keep imports without deleting all rows first; --overwrite lets a line replace the row of its ID\n";

int UsageError(const std::string& why) {
    std::cerr << "tlx4r lookup: " << why << "\n" << kUsage;
    return 2;
}

}  // namespace

// Exports a lookup table to a text file or imports one, with the settings the dialog offers.
int RunLookup(const std::vector<std::string>& args) {
    if (args.size() < 4) return UsageError("missing arguments");
    const std::string& mode = args[2];
    if (mode != "export" && mode != "import") return UsageError("the third argument is export or import");
    DataTextSettings settings;
    for (std::size_t i = 4; i < args.size(); ++i) {
        const std::string& o = args[i];
        const bool has_value = i + 1 < args.size();
        if (o == "--header") {
            settings.Header = true;
        } else if (o == "--keep") {
            settings.DeleteAllFirst = false;
        } else if (o == "--overwrite") {
            settings.Overwrite = true;
        } else if (o == "--sep" && has_value) {
            const std::string& v = args[++i];
            if (v != ";" && v != "," && v != "tab") return UsageError("--sep takes ';', ',' or tab");
            settings.Separator = v == "tab" ? "\t" : v;
        } else if (o == "--delim" && has_value) {
            const std::string& v = args[++i];
            if (v != "\"" && v != "'" && v != "none") return UsageError("--delim takes '\"', \"'\" or none");
            settings.Delimiter = v == "none" ? "" : v;
        } else {
            return UsageError("unknown option '" + o + "'");
        }
    }
    DBReporting reporting;
    reporting.DBOpen(args[0]);
    Datas* table = nullptr;
    const std::string wanted = utf8::Lower(args[1]);
    for (Datas* d : {reporting.Departments(), reporting.ProjectTypes(), reporting.Persons(), reporting.Templates()}) {
        for (const std::string& name : {d->Flavor(), d->Flavor() + "s", d->FlavorText(), d->FlavorTextAll()}) {
            if (utf8::Lower(name) == wanted) table = d;
        }
    }
    if (table == nullptr) return UsageError("unknown table '" + args[1] + "'");
    if (args[3].empty()) return UsageError("no file given");
    if (mode == "export") {
        table->Export(args[3], settings);
        return 0;
    }
    table->Import(args[3], settings);
    return table->ImportError().empty() ? 0 : 1;
}

}  // namespace tlx4r::cli
