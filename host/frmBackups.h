#pragma once

#include "db/Backup.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/ListView.h"

#include <string>
#include <vector>

namespace tlx4r {

class Reporting;

// The automatic backups of the open reporting database, newest first: take one now, open their
// folder, or give the database the content of one of them. Restoring closes the database, takes
// a backup of its current state first (so that a restore can itself be undone) and reopens it.
class frmBackups : public ui::Form {
public:
    explicit frmBackups(Reporting& root);

    ui::Label lblDatabase{*this, "lblDatabase", ""};
    ui::ListView lvwBackups{*this, "lvwBackups"};
    ui::Button btnBackupNow{*this, "btnBackupNow", "&Jetzt sichern"};
    ui::Button btnRestore{*this, "btnRestore", "&Wiederherstellen..."};
    ui::Button btnFolder{*this, "btnFolder", "&Ordner öffnen"};
    ui::Button btnClose{*this, "btnClose", "&Schliessen"};

    // Shows the backups of the open reporting database modally; says so when none is open.
    void ShowFor();
    // Lists the backups of database (the dialog without a database behind it, for pictures).
    void Fill(const std::string& database);

private:
    void BackupNow();
    void Restore();

    Reporting& root_;
    std::string database_;
    std::vector<db::Backup::Item> items_;
};

}  // namespace tlx4r
