#include "support/FaultVfs.h"

#include <sqlite3.h>

#include <atomic>
#include <mutex>

namespace tlx4r::test {

namespace {

sqlite3_vfs* g_real = nullptr;
sqlite3_vfs g_vfs{};
std::atomic<long> g_allowed{-1};  // -1: no fault planned
std::atomic<long> g_writes{0};
std::atomic<bool> g_failed{false};
std::atomic<int> g_code{SQLITE_FULL};

// Our part of each open file, followed in memory by the real file system's part.
struct FaultFile {
    sqlite3_file base;
    sqlite3_file* real;
};

sqlite3_file* Real(sqlite3_file* file) { return reinterpret_cast<FaultFile*>(file)->real; }

// True when this write must fail.
bool Refuse() {
    ++g_writes;
    long allowed = g_allowed.load();
    while (allowed > 0 && !g_allowed.compare_exchange_weak(allowed, allowed - 1)) {
    }
    if (allowed != 0) return false;
    g_failed = true;
    return true;
}

int Close(sqlite3_file* f) { return Real(f)->pMethods->xClose(Real(f)); }
int Read(sqlite3_file* f, void* buffer, int amount, sqlite3_int64 offset) {
    return Real(f)->pMethods->xRead(Real(f), buffer, amount, offset);
}
int Write(sqlite3_file* f, const void* buffer, int amount, sqlite3_int64 offset) {
    if (Refuse()) return g_code.load();
    return Real(f)->pMethods->xWrite(Real(f), buffer, amount, offset);
}
int Truncate(sqlite3_file* f, sqlite3_int64 size) {
    if (Refuse()) return g_code.load() == SQLITE_FULL ? SQLITE_FULL : SQLITE_IOERR_TRUNCATE;
    return Real(f)->pMethods->xTruncate(Real(f), size);
}
int Sync(sqlite3_file* f, int flags) {
    if (Refuse()) return g_code.load() == SQLITE_FULL ? SQLITE_FULL : SQLITE_IOERR_FSYNC;
    return Real(f)->pMethods->xSync(Real(f), flags);
}
int FileSize(sqlite3_file* f, sqlite3_int64* size) { return Real(f)->pMethods->xFileSize(Real(f), size); }
int Lock(sqlite3_file* f, int level) { return Real(f)->pMethods->xLock(Real(f), level); }
int Unlock(sqlite3_file* f, int level) { return Real(f)->pMethods->xUnlock(Real(f), level); }
int CheckReservedLock(sqlite3_file* f, int* out) { return Real(f)->pMethods->xCheckReservedLock(Real(f), out); }
int FileControl(sqlite3_file* f, int op, void* arg) { return Real(f)->pMethods->xFileControl(Real(f), op, arg); }
int SectorSize(sqlite3_file* f) { return Real(f)->pMethods->xSectorSize(Real(f)); }
int DeviceCharacteristics(sqlite3_file* f) { return Real(f)->pMethods->xDeviceCharacteristics(Real(f)); }
int ShmMap(sqlite3_file* f, int page, int size, int extend, void volatile** out) {
    return Real(f)->pMethods->xShmMap(Real(f), page, size, extend, out);
}
int ShmLock(sqlite3_file* f, int offset, int n, int flags) {
    return Real(f)->pMethods->xShmLock(Real(f), offset, n, flags);
}
void ShmBarrier(sqlite3_file* f) { Real(f)->pMethods->xShmBarrier(Real(f)); }
int ShmUnmap(sqlite3_file* f, int remove) { return Real(f)->pMethods->xShmUnmap(Real(f), remove); }
int Fetch(sqlite3_file* f, sqlite3_int64 offset, int amount, void** out) {
    return Real(f)->pMethods->xFetch(Real(f), offset, amount, out);
}
int Unfetch(sqlite3_file* f, sqlite3_int64 offset, void* page) {
    return Real(f)->pMethods->xUnfetch(Real(f), offset, page);
}

// Version 3 like the Unix file system's own methods, whose files all have the shared-memory
// and memory-map members this forwards to.
const sqlite3_io_methods kMethods = {3,          Close,      Read,     Write,   Truncate,   Sync,
                                     FileSize,   Lock,       Unlock,   CheckReservedLock, FileControl,
                                     SectorSize, DeviceCharacteristics, ShmMap, ShmLock, ShmBarrier,
                                     ShmUnmap,   Fetch,      Unfetch};

int Open(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* out_flags) {
    auto* ours = reinterpret_cast<FaultFile*>(file);
    ours->real = reinterpret_cast<sqlite3_file*>(ours + 1);
    const int rc = g_real->xOpen(g_real, name, ours->real, flags, out_flags);
    // SQLite closes a file whose methods are set even when opening failed; mirror the real one.
    ours->base.pMethods = ours->real->pMethods != nullptr ? &kMethods : nullptr;
    return rc;
}

}  // namespace

void FaultVfs::Install() {
    static std::once_flag once;
    std::call_once(once, [] {
        g_real = sqlite3_vfs_find(nullptr);
        g_vfs = *g_real;
        g_vfs.szOsFile = static_cast<int>(sizeof(FaultFile)) + g_real->szOsFile;
        g_vfs.zName = "tlx4r-fault";
        g_vfs.pNext = nullptr;
        g_vfs.xOpen = Open;
        sqlite3_vfs_register(&g_vfs, 1);
    });
}

void FaultVfs::FailAfter(long allowed, int code) {
    g_code = code;
    g_writes = 0;
    g_failed = false;
    g_allowed = allowed;
}

void FaultVfs::Heal() {
    g_allowed = -1;
    g_writes = 0;
}

long FaultVfs::Writes() { return g_writes.load(); }

bool FaultVfs::Failed() { return g_failed.load(); }

}  // namespace tlx4r::test
