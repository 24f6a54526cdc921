#include "Exporter.h"

#include "ExportDelimited.h"
#include "ExportDbf.h"
#include "ExportMdb.h"
#include "ExportXml.h"
#include "Tags.h"
#include "frmExporter.h"
#include "core/modStringLibrary.h"
#include "entries/modDateTime.h"
#include "types/AppError.h"

#include <filesystem>

namespace tlx4r {

namespace fs = std::filesystem;

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
    return name;
}

std::string Exporter::Directory() const { return SubDir.empty() ? Path : PathCombine(Path, SubDir); }

void Exporter::OpenFiles() {
    if (!open_.empty()) return;
    const std::string directory = Directory();
    if (!SubDir.empty()) {
        std::error_code ec;
        fs::create_directories(directory, ec);  // a failure shows when the files are created
    }
    const std::string base = PathCombine(directory, BuildFileName(Date::Now().Serial()));

    std::vector<std::unique_ptr<ExportFormat>> formats;
    if (TypeXML) formats.push_back(std::make_unique<ExportXml>(DataName));
    if (TypeMDB) formats.push_back(std::make_unique<ExportMdb>(items_count_));
    if (TypeCSV) formats.push_back(std::make_unique<ExportDelimited>(ExportDelimited::Kind::Csv));
    if (TypeTXT) formats.push_back(std::make_unique<ExportDelimited>(ExportDelimited::Kind::Txt));
    if (TypeDBF) formats.push_back(std::make_unique<ExportDbf>(dbf_first_free_));
    for (auto& format : formats) {
        if (ClearBefore && items_count_ == 1) format->ClearDirectory(directory);
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

void Exporter::WorkStop() { CloseFiles(); }

void Exporter::CloseFiles() {
    try {
        for (auto& format : open_) format->Close();
    } catch (...) {
        AbortFiles();
        throw;
    }
    open_.clear();
}

void Exporter::AbortFiles() noexcept {
    for (auto& format : open_) format->Abort();
    open_.clear();
}

}  // namespace tlx4r
