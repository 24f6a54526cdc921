#pragma once

#include "core/TableCursor.h"
#include "types/AppError.h"

#include <memory>
#include <string>

namespace tlx4r {

// How an object handed out by a catalogue (an Entry of Entries, a Project of Projects, a Client
// of Clients) reaches its catalogue. Closing, compacting, converting or reopening the database
// destroys the catalogues while such objects live on in the host; a plain pointer would then
// lead into freed memory. The reference holds the catalogue's life token weakly: while the
// catalogue lives it is used; once it is gone, the catalogue of the database open now is used
// if that is the same file (a compacted or reopened database), and otherwise the object fails
// with AppError 91, the old platform's "object variable not set".
//
// T has TableCursor& Cursor().
template <class T>
class CatalogRef {
public:
    CatalogRef() = default;
    explicit CatalogRef(T* catalog) { Bind(catalog); }

    void Bind(T* catalog) {
        catalog_ = catalog;
        life_.reset();
        file_.clear();
        if (catalog == nullptr) return;
        life_ = catalog->Cursor().Life();
        if (auto file = life_.lock()) file_ = *file;
    }
    bool Bound() const { return catalog_ != nullptr; }

    // The catalogue to use, given live, the catalogue of the open database (nullptr when none);
    // nullptr when there is none to use.
    T* Get(T* live) const {
        if (catalog_ == nullptr) return live;
        if (!life_.expired()) return catalog_;
        if (live == nullptr) return nullptr;
        auto file = live->Cursor().Life().lock();
        return file && *file == file_ ? live : nullptr;
    }
    // As Get, but throws AppError 91 naming source when there is none.
    T& Require(T* live, const char* source) const {
        if (T* catalog = Get(live)) return *catalog;
        throw AppError(91, source,
                       "Es ist keine Reporting Datenbank geöffnet (Objektvariable nicht festgelegt)" +
                           (file_.empty() ? std::string(".") : ": " + file_ + " wurde geschlossen."));
    }

private:
    T* catalog_ = nullptr;
    std::weak_ptr<const std::string> life_;
    std::string file_;
};

}  // namespace tlx4r
