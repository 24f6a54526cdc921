#include "PlayOperations.h"

#include "HostSession.h"
#include "core/Reporting.h"
#include "core/modStringLibrary.h"
#include "entries/Entries.h"
#include "entries/EntryTypes.h"
#include "entries/TypeCharges.h"
#include "entries/TypeExpenses.h"
#include "entries/frmEntry.h"
#include "masterdata/Clients.h"
#include "masterdata/Data.h"
#include "masterdata/Datas.h"
#include "masterdata/OlContacts.h"
#include "masterdata/Projects.h"
#include "reporting/EntriesRange.h"
#include "reporting/Exporter.h"
#include "reporting/EntriesSelect.h"
#include "reporting/ItemSelect.h"
#include "reporting/ProjectSelect.h"
#include "reporting/ProjectView.h"
#include "ui/script/FormDriver.h"

#include <string>

namespace tlx4r::cli {

namespace {

using Result = std::vector<std::pair<std::string, std::string>>;
using ui::script::ScriptError;

std::int32_t NumberArg(const std::vector<std::string>& args, std::size_t index, const std::string& what) {
    if (index >= args.size()) throw ScriptError("missing argument " + what);
    try {
        std::size_t used = 0;
        long value = std::stol(args[index], &used);
        if (used != args[index].size()) throw std::invalid_argument(args[index]);
        return static_cast<std::int32_t>(value);
    } catch (const std::logic_error&) {
        throw ScriptError(what + " must be a whole number, not " + args[index]);
    }
}

std::optional<std::int32_t> OptionalNumberArg(const std::vector<std::string>& args, std::size_t index,
                                              const std::string& what) {
    if (index >= args.size()) return std::nullopt;
    return NumberArg(args, index, what);
}

void NoMoreArgs(const std::vector<std::string>& args, std::size_t count) {
    if (args.size() > count) throw ScriptError("unexpected argument " + args[count]);
}

template <class T>
T& Open(T* catalogue) {
    if (catalogue == nullptr) throw std::runtime_error("no reporting database is open");
    return *catalogue;
}

std::string TimeText(Date time) { return time.IsNull() ? std::string() : time.Format("hh:mm"); }

// What the entry form leaves in its entry: the row as the form saved it, or its last state.
Result EntryResult(Entries& entries) {
    const auto& entry = entries.Form().Entry();
    if (!entry) return {};
    const Entry& e = *entry;
    return {{"Entry.ID", std::to_string(e.ID())},
            {"Entry.RecType", std::to_string(e.RecType())},
            {"Entry.RecTypeText", e.RecTypeText()},
            {"Entry.BookDate", e.BookDate.IsNull() ? std::string() : e.BookDate.Format("dd.mm.yyyy")},
            {"Entry.ProjectID", std::to_string(e.ProjectID())},
            {"Entry.PersonID", std::to_string(e.PersonID())},
            {"Entry.Text", e.Text},
            {"Entry.TimeFrom", TimeText(e.TimeFrom)},
            {"Entry.TimeTo", TimeText(e.TimeTo)},
            {"Entry.TimeBreak", TimeText(e.TimeBreak)},
            {"Entry.Rate", AmountFormat(e.Rate)},
            {"Entry.Charges", AmountFormat(e.Charges)},
            {"Entry.Expenses", AmountFormat(e.Expenses)},
            {"Entry.Adapted", AmountFormat(e.Adapted)},
            {"Entry.Billed", AmountFormat(e.Billed)},
            {"Entry.VAT", AmountFormat(e.VAT)},
            {"Entry.DocLink", e.DocLink},
            {"Entry.Archive", e.Archive ? "1" : "0"}};
}

}  // namespace

std::vector<ui::script::PlayOperation> PlayOperations(HostSession& session) {
    Reporting& root = session.Root();
    std::vector<ui::script::PlayOperation> ops;
    const auto add = [&ops](std::string path, std::string arguments, auto run) {
        ops.push_back({std::move(path), std::move(arguments), std::move(run)});
    };

    // The entry form, always modal here: the script plays it until it is closed.
    add("Entries.EditNew", "", [&root](const std::vector<std::string>& args) {
        NoMoreArgs(args, 0);
        Entries& entries = Open(root.Entries());
        entries.EditNew(1);
        return EntryResult(entries);
    });
    add("Entries.EditByID", "ID", [&root](const std::vector<std::string>& args) {
        NoMoreArgs(args, 1);
        Entries& entries = Open(root.Entries());
        entries.EditByID(NumberArg(args, 0, "ID"), 1);
        return EntryResult(entries);
    });
    add("Entries.EditDo", "", [&root](const std::vector<std::string>& args) {
        NoMoreArgs(args, 0);
        Entries& entries = Open(root.Entries());
        entries.EditDo(1);
        return EntryResult(entries);
    });
    add("EntryTypes.Choose", "[RECTYPE]", [&root](const std::vector<std::string>& args) {
        NoMoreArgs(args, 1);
        const int chosen = Open(root.EntryTypes()).Choose(OptionalNumberArg(args, 0, "RECTYPE"));
        return Result{{"Choose", std::to_string(chosen)}};
    });
    for (const bool charges : {true, false}) {
        const std::string name = charges ? "TypeCharges" : "TypeExpenses";
        const auto catalogue = [&root, charges]() -> TypeBase& {
            if (charges) return Open(root.TypeCharges());
            return Open(root.TypeExpenses());
        };
        add(name + ".Choose", "[CATEGORY]", [catalogue](const std::vector<std::string>& args) {
            NoMoreArgs(args, 1);
            const int chosen = catalogue().Choose(OptionalNumberArg(args, 0, "CATEGORY"));
            return Result{{"Choose", std::to_string(chosen)}};
        });
        add(name + ".Edit", "", [catalogue](const std::vector<std::string>& args) {
            NoMoreArgs(args, 0);
            catalogue().Edit();
            return Result{};
        });
    }
    // The selection dialogs: their public variables are what a host reads back.
    add("Entries.EntriesSelect.Choose", "[TypeWork]", [&root](const std::vector<std::string>& args) {
        NoMoreArgs(args, 1);
        EntriesSelect& select = Open(root.Entries()).EntriesSelect();
        select.Choose(!args.empty() && (args[0] == "1" || args[0] == "TypeWork" || args[0] == "true"));
        return Result{{"DialogCanceled", select.DialogCanceled ? "1" : "0"},
                      {"SQL", select.SQL},
                      {"Selected", select.Selected}};
    });
    add("Entries.EntriesRange.Choose", "", [&root](const std::vector<std::string>& args) {
        NoMoreArgs(args, 0);
        EntriesRange& range = Open(root.Entries()).EntriesRange();
        range.Choose();
        std::string types;
        for (const std::string& t : range.EntryType) types += t;
        const auto date = [](const std::optional<Date>& d) { return d ? d->Format("dd.mm.yyyy") : std::string(); };
        return Result{{"DialogCanceled", range.DialogCanceled ? "1" : "0"},
                      {"EntryType", types},
                      {"DateFrom", date(range.DateFrom)},
                      {"DateTo", date(range.DateTo)},
                      {"Archive", range.Archive ? std::to_string(*range.Archive) : std::string()}};
    });
    add("ProjectView.Choose", "", [&root](const std::vector<std::string>& args) {
        NoMoreArgs(args, 0);
        ProjectView& view = Open(root.ProjectView());
        view.Choose();
        return Result{{"DialogCanceled", view.DialogCanceled() ? "1" : "0"},
                      {"SQL", view.SQL()},
                      {"Description", view.Description()},
                      {"GroupByField", view.GroupByField()},
                      {"GroupByText", view.GroupByText()},
                      {"GroupByValueNull", view.GroupByValueNull()}};
    });
    add("ItemSelect.Choose", "TABLE TOPIC", [&root](const std::vector<std::string>& args) {
        NoMoreArgs(args, 2);
        if (args.size() < 2) throw ScriptError("ItemSelect.Choose needs TABLE and TOPIC");
        ItemSelect& select = Open(root.ItemSelect());
        select.Choose(args[0], args[1]);
        return Result{{"SelectedID", std::to_string(select.SelectedID)}, {"SelectedName", select.SelectedName}};
    });
    add("Projects.ProjectSelect.Choose", "", [&root](const std::vector<std::string>& args) {
        NoMoreArgs(args, 0);
        ProjectSelect& select = Open(root.Projects()).ProjectSelect();
        select.Choose();
        return Result{{"DialogCanceled", select.DialogCanceled ? "1" : "0"},
                      {"SortName", select.SortName ? "1" : "0"},
                      {"ClientMode", std::to_string(select.ClientMode)},
                      {"FibuMode", std::to_string(select.FibuMode)}};
    });
    add("Exporter.FormatsChoose", "[FORMATS]", [](const std::vector<std::string>& args) {
        NoMoreArgs(args, 1);
        Exporter exporter;
        if (!args.empty()) exporter.SetFormats(args[0]);
        const bool chosen = exporter.FormatsChoose();
        return Result{{"FormatsChoose", chosen ? "1" : "0"}, {"Formats", exporter.Formats()}};
    });
    // The lookup tables, their rows, and the projects' and clients' editors.
    const std::pair<const char*, Datas* (Reporting::*)() const> tables[] = {
        {"Departments", &Reporting::Departments},
        {"ProjectTypes", &Reporting::ProjectTypes},
        {"Persons", &Reporting::Persons},
        {"Templates", &Reporting::Templates}};
    for (const auto& [name, member] : tables) {
        const auto table = [&root, member = member]() -> Datas& { return Open((root.*member)()); };
        const std::string prefix = name;
        add(prefix + ".EditAll", "", [table](const std::vector<std::string>& args) {
            NoMoreArgs(args, 0);
            table().EditAll();
            return Result{};
        });
        add(prefix + ".Choose", "[ID]", [table](const std::vector<std::string>& args) {
            NoMoreArgs(args, 1);
            Datas& datas = table();
            const std::int32_t chosen = datas.Choose(OptionalNumberArg(args, 0, "ID").value_or(0));
            return Result{{"Choose", std::to_string(chosen)},
                          {"Prefix", datas.Prefix() ? "1" : "0"},
                          {"Postfix", datas.Postfix() ? "1" : "0"}};
        });
        add(prefix + ".DefaultIDChoose", "", [table](const std::vector<std::string>& args) {
            NoMoreArgs(args, 0);
            return Result{{"DefaultIDChoose", std::to_string(table().DefaultIDChoose())}};
        });
        const auto row = [](const std::optional<Data>& data) {
            if (!data) return Result{{"Edited", "0"}};
            return Result{{"Edited", "1"}, {"ID", std::to_string(data->ID)}, {"NameFull", data->NameFull},
                          {"NameShort", data->NameShort}, {"Rate", AmountFormat(data->Rate)}};
        };
        add(prefix + ".EditNew", "", [table, row](const std::vector<std::string>& args) {
            NoMoreArgs(args, 0);
            return row(table().EditNew());
        });
        add(prefix + ".EditByID", "ID", [table, row](const std::vector<std::string>& args) {
            NoMoreArgs(args, 1);
            return row(table().EditByID(NumberArg(args, 0, "ID")));
        });
        add(prefix + ".EditChoose", "[ID]", [table, row](const std::vector<std::string>& args) {
            NoMoreArgs(args, 1);
            return row(table().EditChoose(OptionalNumberArg(args, 0, "ID").value_or(0)));
        });
        add(prefix + ".Export", "[FILE]", [table](const std::vector<std::string>& args) {
            NoMoreArgs(args, 1);
            return Result{{"Export", std::to_string(table().Export(args.empty() ? std::string() : args[0]))}};
        });
        add(prefix + ".Import", "[FILE]", [table](const std::vector<std::string>& args) {
            NoMoreArgs(args, 1);
            return Result{{"Import", std::to_string(table().Import(args.empty() ? std::string() : args[0]))}};
        });
    }
    add("Projects.EditByID", "ID", [&root](const std::vector<std::string>& args) {
        NoMoreArgs(args, 1);
        return Result{{"EditByID", std::to_string(Open(root.Projects()).EditByID(NumberArg(args, 0, "ID")))}};
    });
    add("Projects.EditByAcc", "CODE [NAME]", [&root](const std::vector<std::string>& args) {
        if (args.empty()) throw ScriptError("Projects.EditByAcc needs the account's code");
        std::string name;
        for (std::size_t i = 1; i < args.size(); ++i) name += (i > 1 ? " " : "") + args[i];
        return Result{{"EditByAcc", std::to_string(Open(root.Projects()).EditByAcc(args[0], name))}};
    });
    add("Projects.EditChoose", "", [&root](const std::vector<std::string>& args) {
        NoMoreArgs(args, 0);
        return Result{{"EditChoose", std::to_string(Open(root.Projects()).EditChoose())}};
    });
    add("Clients.Choose", "[ID]", [&root](const std::vector<std::string>& args) {
        NoMoreArgs(args, 1);
        const auto id = OptionalNumberArg(args, 0, "ID").value_or(0);
        return Result{{"Choose", std::to_string(Open(root.Clients()).Choose(id))}};
    });
    add("Clients.EditNew", "", [&root](const std::vector<std::string>& args) {
        NoMoreArgs(args, 0);
        return Result{{"EditNew", std::to_string(Open(root.Clients()).EditNew())}};
    });
    add("Clients.EditByID", "ID", [&root](const std::vector<std::string>& args) {
        NoMoreArgs(args, 1);
        return Result{{"EditByID", std::to_string(Open(root.Clients()).EditByID(NumberArg(args, 0, "ID")))}};
    });
    add("Clients.EditChoose", "", [&root](const std::vector<std::string>& args) {
        NoMoreArgs(args, 0);
        return Result{{"EditChoose", std::to_string(Open(root.Clients()).EditChoose())}};
    });
    add("OlContacts.Choose", "", [&root](const std::vector<std::string>& args) {
        NoMoreArgs(args, 0);
        return Result{{"Choose", std::to_string(Open(root.OlContacts()).Choose())}};
    });
    // Transfer to the accounting and the archive of entries.
    add("Transfer", "", [&root](const std::vector<std::string>& args) {
        NoMoreArgs(args, 0);
        root.Transfer();
        return Result{};
    });
    add("EntriesArchive", "[PROJECTID [dd.mm.yyyy]]", [&root](const std::vector<std::string>& args) {
        NoMoreArgs(args, 2);
        std::optional<Date> date_to;
        if (args.size() > 1) {
            date_to = Date::Parse(args[1]);
            if (!date_to) throw ScriptError("the date must be dd.mm.yyyy, not " + args[1]);
        }
        root.EntriesArchive(OptionalNumberArg(args, 0, "PROJECTID"), date_to);
        return Result{};
    });
    add("EntriesDeleteArchive", "", [&root](const std::vector<std::string>& args) {
        NoMoreArgs(args, 0);
        root.EntriesDeleteArchive();
        return Result{};
    });
    add("Info", "", [&root](const std::vector<std::string>& args) {
        NoMoreArgs(args, 0);
        root.Info();
        return Result{};
    });
    return ops;
}

}  // namespace tlx4r::cli
