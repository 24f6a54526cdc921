#pragma once

#include "core/CatalogRef.h"

#include "types/Currency.h"
#include "types/Date.h"

#include <cstdint>
#include <memory>
#include <string>

namespace tlx4r {

class Data;
class Entries;
class Project;

// One recorded service or booking of a project: one row of table Entry held in memory. The
// record type decides which amounts, times and display texts an entry may carry; Verify
// brings the members in line with it, and every save runs Verify first.
//
// Amounts of a pro-forma entry (ChargesType != 0) are kept in the columns with suffix 1 so that
// no report, which sums the regular columns, ever counts them.
//
// An entry reads and writes through the open cursor of its manager (the one it was made by, or
// the root object's while it has none). A fresh object has ID 0, PersonID -1 and everything
// else zero, empty or false; the manager loads or clears an entry before handing it out.
class Entry {
public:
    // The record types.
    enum : std::int32_t {
        kNone = -1,
        kCharges = 1,   // "Gebühren"
        kInvoice = 2,   // "Rechnung"
        kWork = 3,      // "Arbeitszeit"
        kMeeting = 4,   // "Termin"
        kDocument = 5,  // "Dokument"
        kNotary = 6,    // "Notariatstarif"
        kVat = 7,       // "Mehrwertsteuer"
    };

    explicit Entry(Entries* owner = nullptr);

    bool Archive = false;
    Date BookDate;
    std::string Text;
    std::string Info;
    std::string Visum;
    std::string DispValue1;
    std::string DispValue2;
    Currency Charges;
    Currency Expenses;
    Currency Adapted;
    Currency Billed;
    Currency VAT;
    Date TimeFrom;
    Date TimeTo;
    Date TimeBreak;
    Currency Rate;
    std::string DocLink;
    std::int32_t CalcType = 0;
    Currency CalcValue1;  // VAT entries: the rate as a fraction
    Currency CalcValue2;  // VAT entries: the turnover
    Currency CalcValue3;
    Currency CalcValue4;
    Date CalcDate1;
    Date CalcDate2;
    bool IsBaseCharge = false;
    std::int16_t ChargesType = 0;  // 0 regular, anything else pro-forma
    std::int32_t TypeCharges = 0;
    std::int32_t TypeExpenses = 0;

    // 0 while the entry has no row.
    std::int32_t ID() const { return id_; }
    std::int32_t RecType() const { return rec_type_; }
    void SetRecType(std::int32_t rec_type) { rec_type_ = rec_type; }
    // Record-type letter, fee-category code, disbursement-category code ("A  ", "AA0").
    std::string RecTypeText() const;
    // The German name of the record type; "???" for none.
    std::string RecTypeTopic() const;

    std::int32_t ProjectID() const { return project_id_; }
    // A different value drops the project object, so that the next read of Project fetches
    // it anew; the same value does nothing.
    void SetProjectID(std::int32_t id);
    // The project of ProjectID from the root object's Projects, fetched on the first read after
    // ProjectID changed (a run over all entries reads none); a cleared project when there is no
    // such project or no open reporting database. Errors of the projects' cursor pass on.
    const tlx4r::Project& Project() const;
    std::int32_t PersonID() const { return person_id_; }
    // As SetProjectID, for the person.
    void SetPersonID(std::int32_t id);
    // The row of table Person for PersonID from the root object's Persons, fetched as Project
    // is; a row with ID 0 when there is none.
    const Data& Person() const;

    // Verify, then writes the entry: a new row (with the next free ID) when ID is 0, else into
    // the row of ID; then takes the snapshot. When no row has the ID the engine's error (3020)
    // passes to the caller, nothing is written and the snapshot stays.
    void Update();
    // Deletes the row with that ID (not necessarily this entry's); no row, no effect. The
    // members stay as they are.
    void Delete(std::int32_t id);
    // ID 0 and ClearData, then the snapshot.
    void ClearAll();
    // Every member back to its start value (BookDate today, categories 1, RecType and PersonID
    // -1), keeping ID.
    void ClearData();
    // Back to the state of the last load, clear or save; ID and IsBaseCharge stay.
    void Restore();
    // Normalises the entry by its record type: the amounts and times the type does not keep
    // become 0, the working time gives the fee, the display texts are derived, a missing date
    // becomes today and categories outside 1..37 become 1. An unknown record type becomes 1,
    // except 6 (notary tariff), which is kept and treated like fees.
    void Verify();

    // The worked time from start, end and break, rounded to whole minutes (ties to even);
    // negative when the end lies before the start. A zero argument counts as absent.
    static Date TimeLap(Date from, Date to, Date brk);
    // The fee for a worked time at a rate: rate × hours, rounded to 0.10 with ties to even.
    static Currency WorkFee(Currency rate, Date lap);

private:
    friend class Entries;
    friend class frmEntry;  // browses, copies and restores the entry it edits

    struct Snapshot {
        std::int32_t project_id = 0, person_id = -1, rec_type = 0;
        bool archive = false;
        Date book_date;
        std::string text, info, visum, disp1, disp2;
        Currency charges, expenses, adapted, billed, vat;
        Date time_from, time_to, time_break;
        Currency rate;
        std::string doc_link;
        std::int32_t calc_type = 0;
        Currency calc1, calc2, calc3, calc4;
        Date calc_date1, calc_date2;
        std::int16_t charges_type = 0;
        std::int32_t type_charges = 0, type_expenses = 0;
    };

    // Reads the row of id; without such a row the entry is cleared (ID 0).
    void LoadByID(std::int32_t id);
    // Writes the entry as a new row even when it has one already.
    void SaveAsNew();
    void Save(bool as_new);
    void WorkCalculate();
    void TakeSnapshot();
    Entries& Owner() const;

    CatalogRef<Entries> owner_;
    std::int32_t id_ = 0;
    std::int32_t rec_type_ = 0;
    std::int32_t project_id_ = 0;
    std::int32_t person_id_ = -1;
    // Fetched on demand; shared (never changed) between copies of an entry.
    mutable std::shared_ptr<const tlx4r::Project> project_;
    mutable std::shared_ptr<const Data> person_;
    Snapshot snapshot_;
};

}  // namespace tlx4r
