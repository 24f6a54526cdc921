#pragma once

#include "core/CatalogRef.h"

#include "masterdata/Client.h"
#include "masterdata/Data.h"
#include "types/Currency.h"
#include "types/Date.h"

#include <cstdint>
#include <string>

namespace tlx4r {

class Projects;
class TableCursor;

// The twenty data fields of a project, as a value: what the change test compares and Restore
// copies. The defaults are the cleared values, except DateBegin (today, set by ClearData).
struct ProjectFields {
    std::int32_t ClientID = 0;
    std::int32_t PersonID = 0;
    std::int32_t ProjectTypeID = 0;
    std::int32_t DepartmentID = 0;
    bool Archive = false;
    std::string AccountCode;
    std::string AccountName;
    std::int32_t AccountID = 0;
    std::int32_t AccountReferenceNr = 0;
    Date DateBegin;
    Date DateEnd;
    Date DateBilled;
    std::string Text;
    Currency Rate;
    std::int32_t PaymentLimit = 30;
    std::string ProjExt1;
    std::string ProjExt2;
    std::string ProjExt3;
    std::string ProjExt4;
    std::string ProjExt5;

    bool operator==(const ProjectFields&) const = default;
};

// One project in memory: the unit entries are recorded against, tied to one account of the
// accounting by its code. It reads and writes through the project table cursor of its manager:
// the one given, or the open reporting database's (Reporting.Projects) when created without one.
// Every record operation throws AppError 91 while there is no open cursor.
//
// Storage: empty texts and the date 0 are stored as Null, and so are Rate 0 and PaymentLimit 0;
// a Null PaymentLimit reads as 30 (so 0 written reads back as 30).
class Project : public ProjectFields {
public:
    // A cleared project (ID 0, opened today).
    Project();
    explicit Project(Projects& owner);

    std::int32_t ID() const { return id_; }
    // AccountCode, two blanks, AccountName.
    std::string Topic() const;

    // Reads the record and the person, project type, department and client it refers to (when a
    // reporting database is open). An ID that is not there gives a cleared project with ID 0.
    void Load(std::int32_t id);
    // Writes the record (a project with ID 0 is added) and exports it as a change when the host
    // asks for that. An unchanged stored project writes nothing, unless a project created before
    // is still waiting for its change export (Projects::CreatedProjectID).
    void Update();
    // Always adds a new record under the next free ID, even for a loaded project.
    void Insert();
    // Makes sure a project exists for the account: finds it by code and refreshes its name, or
    // creates it from code and name (no change export). The object then holds the project.
    void AssertByAccount(const std::string& code, const std::string& name);
    // Deletes the record of that ID when there is one; the database deletes its entries with it.
    // The object's own fields stay.
    void Delete(std::int32_t id);
    void ClearAll();
    void ClearData();
    // Undoes the edits since the last read or write.
    void Restore();
    bool Changed() const { return static_cast<const ProjectFields&>(*this) != snapshot_; }

    // The linked rows Load filled (empty and unconfigured before).
    const Data& PersonData() const { return person_; }
    const Data& ProjectTypeData() const { return project_type_; }
    const Data& DepartmentData() const { return department_; }
    const tlx4r::Client& ClientData() const { return client_; }
    bool LinkedLoaded() const { return linked_loaded_; }

    // The export view: the project's own 20 items, then those of the person, the project type,
    // the department and the client, each numbered on from the last. 1-based; "" outside.
    int ExportCount() const;
    std::string ExportField(int index) const;
    std::string ExportDesc(int index) const;
    std::string ExportValue(int index) const;

private:
    TableCursor& Cursor() const;
    void Read(std::int32_t id);
    void Write(bool as_new, bool notify);
    void LinkedClear();
    // The linked item that index falls on: 0 own, 1 person, 2 project type, 3 department,
    // 4 client, -1 none; index becomes the item's own index.
    int Locate(int& index) const;

    CatalogRef<Projects> owner_;
    std::int32_t id_ = 0;
    ProjectFields snapshot_;
    Data person_;
    Data project_type_;
    Data department_;
    tlx4r::Client client_;
    bool linked_loaded_ = false;
};

}  // namespace tlx4r
