#include "dBase3.h"

#include "core/modStringLibrary.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace tlx4r {

namespace fs = std::filesystem;

dBase3::~dBase3() { dBaseClose(); }

void dBase3::DeriveNames(const std::string& file_name) {
    path_ = PathOf(file_name);
    table_ = Trim(StrMidSafe(BaseNameOf(file_name), 1, 8));
    fullpath_ = PathCombine(path_, table_ + ".dbf");
}

void dBase3::dBaseCreate(const std::string& file_name) {
    std::error_code ec;
    fs::remove(file_name, ec);
    dBaseClose();
    DeriveNames(file_name);
    definition_.clear();
    pending_ = true;
    defined_ = false;
}

void dBase3::dBaseOpen(const std::string& file_name) {
    dBaseClose();
    DeriveNames(file_name);
    DbfTable probe;
    probe.Open(fullpath_);  // throws for a missing or foreign file
    definition_ = probe.Fields();
    defined_ = true;
}

void dBase3::FieldCreate(const std::string& name, int type, int size) {
    if (type != kText) throw std::invalid_argument("dBase III: only text fields are supported");
    if (size < 1 || size > 254) throw std::invalid_argument("dBase III: field \"" + name + "\" must be 1 to 254 long");
    if (name.empty() || name.size() > 10) {
        throw std::invalid_argument("dBase III: field name \"" + name + "\" must have 1 to 10 characters");
    }
    if (table_.empty()) throw std::logic_error("dBase III: no table definition (dBaseCreate first)");
    definition_.push_back({name, size});
    pending_ = true;
}

void dBase3::TableDefSave() {
    if (!pending_) return;
    DbfTable::Create(fullpath_, definition_);
    pending_ = false;
    defined_ = true;
}

void dBase3::RecordsetOpen() {
    if (recordset_.IsOpen()) return;
    if (!defined_) throw std::logic_error("dBase III: the table " + table_ + " has no saved definition");
    recordset_.Open(fullpath_);
}

void dBase3::RecordsetClose() { recordset_.Close(); }

DbfTable& dBase3::Recordset() {
    if (!recordset_.IsOpen()) throw std::logic_error("dBase III: no open recordset");
    return recordset_;
}

void dBase3::dBaseClose() {
    try {
        TableDefSave();
    } catch (...) {
        // a definition that cannot be written is dropped, as every step here goes on
    }
    definition_.clear();
    try {
        RecordsetClose();
    } catch (...) {
    }
    if (!fullpath_.empty()) {
        try {
            dBaseFixSignature(fullpath_);
        } catch (...) {
        }
    }
    fullpath_.clear();
    path_.clear();
    table_.clear();
    pending_ = false;
    defined_ = false;
}

void dBase3::dBaseFixSignature(const std::string& file_name) {
    std::error_code ec;
    if (!fs::exists(file_name, ec)) return;
    std::fstream f(file_name, std::ios::binary | std::ios::in | std::ios::out);
    if (!f) return;
    char bytes[2] = {0, 0};
    f.read(bytes, 2);
    if (!f) return;
    if (bytes[0] != 3) {
        f.seekp(0);
        f.put(3);
    }
    if (bytes[1] != 10) {
        f.seekp(1);
        f.put(10);
    }
}

}  // namespace tlx4r
