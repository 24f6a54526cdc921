#pragma once

#include "db/Value.h"
#include "platform/SettingsStore.h"

#include <optional>
#include <string>
#include <vector>

namespace tlx4r {

// One open key of the settings stores, in the manner of the registry the options used to live
// in: open a key of a hive, enumerate its sub-keys and value names, read and write its values.
//
// Hives map to the stores as follows: CurrentUser is the user's store, LocalMachine the
// machine's; ClassesRoot is "Software\Classes" of the machine's store; Users holds one key per
// user, of which only the current user's (named by $USER) exists, and that is the user's store.
//
// Failures of the stores throw platform::RegistryError; a key or value that is not there is
// state (false, nullopt), not an error.
class Registry {
public:
    enum class Hive { LocalMachine, CurrentUser, ClassesRoot, Users };

    // Works on the program's stores (platform::UserSettings and MachineSettings).
    Registry();
    // Works on the given stores, which must outlive this object.
    Registry(platform::SettingsStore& user, platform::SettingsStore& machine);

    // Closes what was open, then opens key (a "\" path) of hive: read-only unless write is asked.
    // A key opened for writing is created with its path when it does not exist, as the options
    // are written into sections that may be new. True iff the key is open afterwards; false for a
    // read of a key that does not exist. Asking write access of a store that may not be written
    // throws RegistryError kAccessDenied.
    bool KeyOpen(Hive hive, const std::string& key, bool write = false);
    bool KeyOpenLocalMachine(const std::string& key, bool write = false);
    bool KeyOpenCurrentUser(const std::string& key, bool write = false);
    bool KeyOpenClassesRoot(const std::string& key, bool write = false);
    bool KeyOpenUsers(const std::string& key, bool write = false);
    void KeyClose();

    bool IsOpen() const { return store_ != nullptr; }
    bool IsWritable() const { return IsOpen() && write_; }
    Hive CurrentHive() const { return hive_; }
    // The path of the open key as it was opened; "" while none is open.
    const std::string& Key() const { return key_; }

    // Enumeration of the open key's sub-keys: First starts over, Next moves on; each returns true
    // iff there is a name, which SubKey() then holds ("" otherwise). The names are taken when
    // First is called; changes afterwards do not disturb a running enumeration.
    bool SubKeyFirst();
    bool SubKeyNext();
    const std::string& SubKey() const { return sub_key_; }
    // Creates a sub-key (a relative "\" path) of the open key; requires write access.
    void SubKeyCreate(const std::string& name);
    // Deletes a sub-key with everything below it; requires write access. False iff there was none.
    bool SubKeyDelete(const std::string& name);

    // Enumeration of the open key's value names, like the sub-keys.
    bool ValueNameFirst();
    bool ValueNameNext();
    const std::string& ValueName() const { return value_name_; }
    // Deletes a value; requires write access. False iff there was none.
    bool ValueNameDelete(const std::string& name);

    // A value of the open key: a text as Text, a number as Long; nullopt when the key is not
    // open or has no such value.
    std::optional<db::Value> Value(const std::string& name) const;
    // Writes a value; requires write access. Long and Boolean (-1/0, as the old platform counted
    // True) are stored as numbers, Null as "", everything else as its text.
    void Value(const std::string& name, const db::Value& value);

private:
    void RequireOpen() const;
    void RequireWritable() const;
    std::string PathOf(const std::string& name) const;

    platform::SettingsStore* user_;
    platform::SettingsStore* machine_;

    platform::SettingsStore* store_ = nullptr;  // of the open key; nullptr while none is open
    std::string store_path_;                    // the open key's path inside store_
    Hive hive_ = Hive::CurrentUser;
    std::string key_;
    bool write_ = false;

    std::vector<std::string> sub_keys_;
    std::size_t sub_key_index_ = 0;
    std::string sub_key_;
    std::vector<std::string> value_names_;
    std::size_t value_name_index_ = 0;
    std::string value_name_;
};

}  // namespace tlx4r
