#pragma once

namespace tlx4r::test {

// A SQLite file system for tests that lets writes fail on demand, as a full disk or a failing
// disk would: it wraps the system's default and becomes the default itself, so that every file
// opened afterwards (databases, journals, attached and temporary copies) goes through it.
class FaultVfs {
public:
    // Registers the file system once per process.
    static void Install();
    // From now on `allowed` more writes succeed and every later one fails with `code`
    // (SQLITE_FULL, SQLITE_IOERR_WRITE, …) until Heal. Writes are xWrite, xTruncate and xSync.
    static void FailAfter(long allowed, int code);
    // Writes succeed again.
    static void Heal();
    // The writes seen since the last FailAfter or Heal.
    static long Writes();
    // True once a write has been refused since the last FailAfter.
    static bool Failed();
};

}  // namespace tlx4r::test
