#include "entries/Entries.h"

#include "entries/frmEntry.h"

#include "core/ReportingSchema.h"
#include "core/frmArchive.h"
#include "core/frmArchiveDelete.h"
#include "core/modAssert.h"
#include "core/modReporting.h"
#include "db/Database.h"
#include "db/Transaction.h"
#include "reporting/EntriesRange.h"
#include "reporting/EntriesSelect.h"
#include "ui/Ui.h"

#include <exception>
#include <vector>

namespace tlx4r {

Entries::Entries(db::Database& db)
    : db_(db),
      cursor_(db, schema::EntryTable().name),
      entries_range_(std::make_unique<tlx4r::EntriesRange>()),
      entries_select_(std::make_unique<tlx4r::EntriesSelect>()) {}

Entries::~Entries() {
    form_.reset();
    entries_select_.reset();
    entries_range_.reset();
    rsClose();
}

const std::string& Entries::EntrySql() { return schema::EntryQuery().sql; }

const std::string& Entries::EntryFullSql() { return schema::EntryFullQuery().sql; }

void Entries::Assert() {
    TableDeclAssert(db_, schema::EntryTable());
    const std::string max = std::to_string(schema::kTypeIdMax);
    for (const char* column : {"TypeCharges", "TypeExpenses"}) {
        const std::string c = column;
        try {
            db_.Execute("UPDATE Entry SET " + c + " = 1 WHERE ((" + c + " Is Null) OR (" + c + " < 1) OR (" + c +
                        " > " + max + "));");
        } catch (const std::exception&) {
            // a repair that cannot run must not stop the open
        }
    }
    AssertQueryDefs(false);
}

void Entries::AssertQueryDefs(bool force) {
    // QueryAssert swallows its own failures but a failing disk's: a query over a table that is
    // not there yet is made on a later run.
    QueryAssert(db_, schema::EntryQuery(), force);
    QueryAssert(db_, schema::EntryFullQuery(), force);
}

std::string Entries::QueryFields(const std::string& query, bool listing) {
    try {
        auto rs = db_.OpenRecordset(query, db::RecordsetType::Snapshot);
        std::string out;
        int n = 0;
        for (const auto& field : rs.Fields()) {
            if (listing)
                out += "\t' " + std::to_string(n++) + " " + field.Name() + "\r\n";
            else
                out += field.Name() + ";";
        }
        return out;
    } catch (const std::exception&) {
        return {};
    }
}

std::string Entries::EntryFields() { return QueryFields(schema::EntryQuery().name, false); }

std::string Entries::EntryFullFields() { return QueryFields(schema::EntryFullQuery().name, true); }

std::int32_t Entries::Add(Entry& entry) {
    entry.owner_.Bind(this);
    entry.SaveAsNew();
    return entry.ID();
}

Entry Entries::Item(std::int32_t id) {
    Entry entry(this);
    entry.LoadByID(id);
    return entry;
}

void Entries::Remove(std::int32_t id) { Entry(this).Delete(id); }

long long Entries::Count() {
    db::Recordset& rs = cursor_.Get();
    if (rs.RecordCount() == 0) return 0;
    rs.MoveLast();
    return rs.RecordCount();
}

void Entries::Verify() {
    {
        std::vector<std::int32_t> ids;
        {
            // read to its end (which lets go of the file) before the first row is written
            auto rs = db_.OpenRecordset("SELECT ID FROM Entry ORDER BY ID;", db::RecordsetType::ForwardOnly);
            for (; !rs.Eof(); rs.MoveNext()) ids.push_back(rs.Get(0).ToLong());
        }
        db::Transaction tx(db_);
        Entry entry(this);
        try {
            for (std::int32_t id : ids) {
                entry.LoadByID(id);
                entry.Update();
                ui::Current().DoEvents();
            }
        } catch (...) {
            // the rows before the failing one keep their repair
            try {
                tx.Commit();
            } catch (const std::exception&) {
                // the error of the row is the one to report
            }
            throw;
        }
        ForeignKeyRepair("Entry", "Person");
        tx.Commit();
    }
    AssertQueryDefs(true);
}

void Entries::Archive(std::optional<std::int32_t> project_id, std::optional<Date> date_to) {
    frmArchive form;
    if (project_id) form.ProjectID(*project_id);
    if (date_to) form.DateTo(*date_to);
    FormShowModal(form);
}

void Entries::DeleteArchive() {
    frmArchiveDelete form;
    form.Choose();
}

long long Entries::DeleteArchiveExec() { return db_.Execute("DELETE * FROM Entry WHERE (Entry.Archive<>0);"); }

void Entries::Refresh() {
    rsClose();
    rsOpen();
}

frmEntry& Entries::Form() {
    if (!form_) form_ = std::make_unique<frmEntry>(this);
    return *form_;
}

void Entries::Edit(std::shared_ptr<Entry> entry, int mode) {
    frmEntry& form = Form();
    form.SetEntry(std::move(entry));
    form.Edit(mode);
}

void Entries::EditByID(std::int32_t id, int mode) {
    auto entry = std::make_shared<Entry>(this);
    try {
        *entry = Item(id);
    } catch (const std::exception&) {
        // A row that cannot be read opens as a new entry, as a missing one does.
        entry = std::make_shared<Entry>(this);
        entry->ClearAll();
    }
    Edit(std::move(entry), mode);
}

void Entries::EditDo(int mode) {
    frmEntry& form = Form();
    if (!form.Entry()) {
        EditByID(0, mode);
    } else {
        form.Edit(mode);
    }
}

void Entries::EditNew(int mode) { EditByID(0, mode); }

}  // namespace tlx4r
