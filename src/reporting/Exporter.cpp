#include "Exporter.h"

#include "ExportDelimited.h"
#include "ExportFile.h"
#include "ExportLedger.h"
#include "ExportDbf.h"
#include "ExportMdb.h"
#include "ExportXml.h"
#include "Tags.h"
#include "frmExporter.h"
#include "core/modStringLibrary.h"
#include "entries/modDateTime.h"
#include "types/AppError.h"

#include <filesystem>
#include <string_view>

namespace tlx4r {

namespace fs = std::filesystem;

namespace {

// A part of a file name as Linux and Windows can both hold it.
std::string SafeName(std::string name) {
    for (char& c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 32 || u == 127 || std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos) c = '_';
    }
    return name;
}

}  // namespace

Exporter::Exporter() {
    Clear();
    SetTypeStd();
    SetFileNameStd();
}

Exporter::~Exporter() { AbortFiles(); }

void Exporter::Clear() {
    AbortFiles();
    Path.clear();
    SubDir.clear();
    FileName.clear();
    IDtext.clear();
    EventDesc.clear();
    DataName = "Data";
    ClearBefore = false;
    MakeOneFile = true;
    Keep.clear();
    fields_.clear();
    values_.clear();
}

std::string Exporter::Formats() const {
    Tags tags;
    if (TypeXML) tags.Add("XML");
    if (TypeMDB) tags.Add("MDB");
    if (TypeCSV) tags.Add("CSV");
    if (TypeTXT) tags.Add("TXT");
    if (TypeDBF) tags.Add("DBF");
    return tags.Full();
}

void Exporter::SetFormats(const std::string& formats) {
    Tags tags;
    tags.Add(formats);
    TypeXML = tags.IsHere("XML");
    TypeMDB = tags.IsHere("MDB");
    TypeCSV = tags.IsHere("CSV");
    TypeTXT = tags.IsHere("TXT");
    TypeDBF = tags.IsHere("DBF");
}

void Exporter::SetTypeNone() { TypeXML = TypeMDB = TypeCSV = TypeTXT = TypeDBF = false; }

void Exporter::SetTypeAll() { TypeXML = TypeMDB = TypeCSV = TypeTXT = TypeDBF = true; }

void Exporter::SetTypeStd() {
    SetTypeNone();
    TypeXML = TypeCSV = true;
}

void Exporter::SetFileNameStd() { FileWithTimeStamp = FileWithFieldID = FileWithDataName = true; }

void Exporter::SetFileNameNone() { FileWithTimeStamp = FileWithFieldID = FileWithDataName = false; }

bool Exporter::FormatsChoose() {
    frmExporter chooser;
    chooser.SetFormats(Formats());
    if (!chooser.Choose()) return false;
    SetFormats(chooser.Formats());
    return true;
}

void Exporter::WorkStart() {
    items_count_ = 0;
    dbf_first_free_ = 1;
    mdb_template_ = {};
    bases_.clear();
    fields_.clear();
    values_.clear();
}

void Exporter::ItemAdd(const std::string& field, const std::string& value) {
    if (items_count_ == 0) fields_.push_back(field);
    if (values_.size() < fields_.size()) values_.push_back(value);
}

std::string Exporter::BuildFileName(double now) const {
    std::string name = FileName;
    auto add = [&name](const std::string& part) {
        if (!name.empty()) name += "-";
        name += part;
    };
    if (FileWithTimeStamp) add(DateStampDate(Date(now)) + "-" + DateStampTime(Date(now)));
    if (FileWithFieldID) {
        if (!IDtext.empty()) {
            add("ID" + IDtext);
        } else if (MakeOneFile) {
            add("ID00000000");
        } else {
            add("ID" + StrPadLeft(values_.size() >= 6 ? values_[5] : std::string(), 8, U'0'));
        }
    }
    if (FileWithDataName) add(DataName);
    if (!EventDesc.empty()) add(EventDesc);
    return SafeName(name);
}

std::string Exporter::Directory() const { return SubDir.empty() ? Path : PathCombine(Path, SubDir); }

void Exporter::OpenFiles() {
    if (!open_.empty()) return;
    const std::string directory = Directory();
    if (!SubDir.empty()) {
        std::error_code ec;
        fs::create_directories(directory, ec);  // a failure shows when the files are created
    }
    std::vector<std::unique_ptr<ExportFormat>> formats;
    if (TypeXML) formats.push_back(std::make_unique<ExportXml>(DataName));
    if (TypeMDB) formats.push_back(std::make_unique<ExportMdb>(items_count_, mdb_template_));
    if (TypeCSV) formats.push_back(std::make_unique<ExportDelimited>(ExportDelimited::Kind::Csv));
    if (TypeTXT) formats.push_back(std::make_unique<ExportDelimited>(ExportDelimited::Kind::Txt));
    if (TypeDBF) formats.push_back(std::make_unique<ExportDbf>(dbf_first_free_));
    if (ClearBefore && items_count_ == 1) {
        std::vector<std::string> patterns;
        for (auto& format : formats) {
            for (auto& pattern : format->Patterns()) patterns.push_back(pattern);
        }
        ExportLedger(directory).Clear(patterns, Keep);
    }
    const std::string base = UniqueBase(directory, BuildFileName(Date::Now().Serial()));

    for (auto& format : formats) {
        try {
            format->Open(base, fields_, values_);
        } catch (...) {
            format->Abort();
            AbortFiles();
            throw;
        }
        open_.push_back(std::move(format));
    }
}

void Exporter::ItemWrite() {
    ++items_count_;
    if (!MakeOneFile || items_count_ == 1) OpenFiles();
    try {
        for (auto& format : open_) format->Write(values_);
    } catch (...) {
        AbortFiles();
        throw;
    }
    values_.clear();
    if (!MakeOneFile) CloseFiles();
}

void Exporter::WorkStop() {
    CloseFiles();
    const bool wrote = !finished_.empty();
    NoteFinished();
    if (wrote) ExportFile::MakeDurable(Directory());
}

void Exporter::CloseFiles() {
    if (open_.empty()) return;
    try {
        for (auto& format : open_) {
            format->Close();
            for (auto& path : format->Finished()) finished_.push_back(path);
        }
    } catch (...) {
        AbortFiles();
        throw;
    }
    open_.clear();
}

void Exporter::NoteFinished() noexcept {
    if (finished_.empty()) return;
    ExportLedger(Directory()).Add(finished_);
    finished_.clear();
}

std::string Exporter::UniqueBase(const std::string& directory, const std::string& name) {
    const char* const extensions[] = {".xml", ".mdb", ".csv", ".txt", ".db3"};
    const auto taken = [&](const std::string& base) {
        if (bases_.count(base) != 0) return true;
        for (const char* ext : extensions) {
            std::error_code ec;
            if (fs::exists(base + ext, ec)) return true;
            for (const auto& keep : Keep) {
                if (!keep.empty() && fs::path(base + ext).lexically_normal() == fs::path(keep).lexically_normal())
                    return true;
            }
        }
        return false;
    };
    const std::string first = PathCombine(directory, name);
    std::string base = first;
    for (int n = 2; taken(base); ++n) base = first + "-" + std::to_string(n);
    bases_.insert(base);
    return base;
}

void Exporter::AbortFiles() noexcept {
    for (auto& format : open_) format->Abort();
    open_.clear();
    NoteFinished();  // the files finished before the failure are complete: a later clear may take them
}

}  // namespace tlx4r
