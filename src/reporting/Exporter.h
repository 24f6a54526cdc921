#pragma once

#include "ExportFormat.h"
#include "ExportMdb.h"
#include "core/Creatable.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace tlx4r {

// Writes a stream of items — each a list of field name / value pairs — into up to five formats
// at once: XML, an MDB database, CSV, tab-separated text and dBase III. A run is WorkStart, per
// item any number of ItemAdd and one ItemWrite, then WorkStop. The first item fixes the field
// names; later items give values in the same order (extra values are dropped).
//
// With MakeOneFile the files stay open from the first ItemWrite to WorkStop; otherwise each item
// gets its own file set. A file receives its real name only when it is complete; file errors
// throw AppError naming the file and folder, and leave no file that looks complete.
//
// File names are made safe for every file system (a character Linux or Windows cannot hold in a
// name becomes "_"; the data keep it), and no file of a run replaces another of the same run or
// an existing file: a name already taken gets "-2", "-3", …. ClearBefore removes only files that
// earlier exports listed in the folder's ExportLedger, and never a file of Keep.
class Exporter : public Creatable {
public:
    bool TypeXML = true;
    bool TypeMDB = false;
    bool TypeCSV = true;
    bool TypeTXT = false;
    bool TypeDBF = false;
    std::string IDtext;
    std::string FileName;
    bool FileWithTimeStamp = true;
    bool FileWithFieldID = true;
    bool FileWithDataName = true;
    bool ClearBefore = false;
    bool MakeOneFile = true;
    std::string Path;
    std::string SubDir;
    std::string DataName = "Data";
    std::string EventDesc;
    // Files that an export must never delete or replace (the open databases).
    std::vector<std::string> Keep;

    Exporter();
    ~Exporter() override;
    Exporter(const Exporter&) = delete;
    Exporter& operator=(const Exporter&) = delete;

    void Clear();
    // The tags of the formats that are on, in the order XML;MDB;CSV;TXT;DBF.
    std::string Formats() const;
    // Each format is on exactly when its tag is in formats.
    void SetFormats(const std::string& formats);
    void SetTypeNone();
    void SetTypeAll();
    void SetTypeStd();
    void SetFileNameStd();
    void SetFileNameNone();
    // Shows the format chooser with the current formats; OK takes the formats it shows, cancel
    // leaves them as they were. True iff the user confirmed.
    bool FormatsChoose();

    void WorkStart();
    void ItemAdd(const std::string& field, const std::string& value);
    void ItemWrite();
    // Finishes and closes every open file.
    void WorkStop();
    long ItemsCount() const { return items_count_; }
    long FieldsCount() const { return static_cast<long>(fields_.size()); }

    // The name (without directory and extension) the next file set gets at moment now, before
    // it is made unique.
    std::string BuildFileName(double now) const;
    // Path, or Path joined with SubDir.
    std::string Directory() const;

private:
    void OpenFiles();
    void CloseFiles();
    void AbortFiles() noexcept;
    // Adds the files finished so far to the folder's list of exported files (once per run, not
    // per file: a run of one file per project writes thousands).
    void NoteFinished() noexcept;
    // base, or base + "-n", so that no file of the formats that are on exists or was written in
    // this run under that name.
    std::string UniqueBase(const std::string& directory, const std::string& base);

    std::vector<std::string> fields_;
    std::vector<std::string> values_;
    long items_count_ = 0;
    int dbf_first_free_ = 1;  // the dBase tables' free-number search of this run starts here
    ExportMdb::Template mdb_template_;  // the empty database every .mdb of this run is copied from
    std::vector<std::unique_ptr<ExportFormat>> open_;
    std::set<std::string> bases_;  // the file names this run used
    std::vector<std::string> finished_;
};

}  // namespace tlx4r
