#include "core/modBackup.h"

#include "core/ProgOption.h"
#include "core/Reporting.h"
#include "core/modReporting.h"
#include "db/Backup.h"
#include "db/Database.h"
#include "types/AppError.h"

#include <algorithm>
#include <exception>

namespace tlx4r {

int BackupsKept() {
    try {
        if (goReporting != nullptr && goReporting->ProgOption() != nullptr) {
            const db::Value kept = goReporting->ProgOption()->CurrentUser(
                ProgOption::kSectionOptions, kOptionBackupsKept, db::Value(db::Backup::kKeepDefault));
            if (!kept.IsNull()) return std::max(0, static_cast<int>(kept.ToLong()));
        }
    } catch (const std::exception&) {
        // an unreadable option keeps the default
    }
    return db::Backup::kKeepDefault;
}

std::string BackupBefore(db::Database& db, const std::string& operation) {
    try {
        const std::string path = db::Backup::Take(db, operation, BackupsKept());
        TraceWrite({"Backup", operation, path});
        return path;
    } catch (const std::exception& e) {
        throw AppError(75, "Backup",
                       "Vor \"" + operation + "\" kann keine Sicherung der Datenbank in \"" +
                           db::Backup::Folder(db.Name()) + "\" angelegt werden; der Vorgang wird nicht ausgeführt." +
                           "\r\n" + e.what());
    }
}

}  // namespace tlx4r
