#include "PlayOperations.h"

#include "HostSession.h"
#include "core/Reporting.h"
#include "core/modStringLibrary.h"
#include "entries/Entries.h"
#include "entries/EntryTypes.h"
#include "entries/TypeCharges.h"
#include "entries/TypeExpenses.h"
#include "entries/frmEntry.h"
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
    add("Info", "", [&root](const std::vector<std::string>& args) {
        NoMoreArgs(args, 0);
        root.Info();
        return Result{};
    });
    return ops;
}

}  // namespace tlx4r::cli
