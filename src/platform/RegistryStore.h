#pragma once

#include "platform/MemoryStore.h"
#include "platform/SettingsStore.h"

#include <filesystem>
#include <functional>
#include <string>

namespace tlx4r::platform {

// A settings store kept in a text file, one per user and one per machine.
//
// The file is UTF-8, one "[Key\Path]" header per key followed by its values, written as
//   "Name"="text"          (\\ \" \n \r \t escaped)
//   "Name"=dword:0000002a  (a number, as the old registry export wrote double words)
//   @="text"               (the key's default value, name "")
// Lines starting with ";" or "#" are comments. The file is rewritten as a whole on every change,
// into a temporary file beside it that then replaces it, so that a crash leaves either the old
// or the new file, never half of one. Reads see changes another process made: the file is read
// again when it has changed on disk.
//
// A missing file is an empty store. A file that cannot be parsed is reported through the warning
// sink, set aside as "<file>.corrupt-<timestamp>" (when the store may be written) and the store
// starts empty; reads never fail because of the file.
class RegistryStore : public SettingsStore {
public:
    enum class Access { ReadWrite, ReadOnly };
    using WarningSink = std::function<void(const std::string&)>;

    // The file need not exist; its folder is created on the first write. A ReadOnly store refuses
    // every write with RegistryError kAccessDenied naming the file. Warnings go to standard error
    // when no sink is given.
    explicit RegistryStore(std::filesystem::path file, Access access = Access::ReadWrite,
                           WarningSink warn = {});

    // $XDG_CONFIG_HOME (or ~/.config) + "/tlx4r/registry.ini".
    static std::filesystem::path UserFile();
    // The first folder of $XDG_CONFIG_DIRS (or /etc/xdg) + "/tlx4r/registry.ini".
    static std::filesystem::path MachineFile();

    const std::filesystem::path& File() const { return file_; }

    bool KeyExists(std::string_view path) const override;
    void KeyCreate(std::string_view path) override;
    bool KeyDelete(std::string_view path) override;
    std::vector<std::string> SubKeys(std::string_view path) const override;
    std::vector<std::string> ValueNames(std::string_view path) const override;
    std::optional<RegistryValue> ValueGet(std::string_view path,
                                          std::string_view name) const override;
    void ValueSet(std::string_view path, std::string_view name,
                  const RegistryValue& value) override;
    bool ValueDelete(std::string_view path, std::string_view name) override;
    bool CanWrite() const override { return access_ == Access::ReadWrite; }

    // The file's text for a tree, and the tree of a text. Parse throws RegistryError
    // kInvalidData naming the line for a text that is not in the format above.
    static std::string Serialize(const MemoryStore& tree);
    static MemoryStore Parse(const std::string& text);

private:
    struct Stamp {
        bool exists = false;
        long long mtime_ns = 0;
        long long size = 0;
        unsigned long long inode = 0;
        bool operator==(const Stamp&) const = default;
    };

    Stamp CurrentStamp() const;
    // Brings tree_ up to date with the file.
    void Refresh() const;
    void Load() const;
    // Applies change to a fresh copy of the file's tree under the store's lock and writes the
    // result; tree_ changes only when the file was written. change returns whether it changed
    // anything (nothing is written otherwise).
    template <class Change>
    auto Modify(Change&& change);
    void WriteAtomically(const std::string& text) const;
    void Warn(const std::string& message) const;

    std::filesystem::path file_;
    Access access_;
    WarningSink warn_;
    mutable MemoryStore tree_;
    mutable Stamp loaded_;
    mutable bool ever_loaded_ = false;
};

// The stores the program uses: the user's, and the machine's, which only the administrator may
// write (it is read-only for everybody else). Replaceable for tests; nullptr restores the file
// stores.
SettingsStore& UserSettings();
SettingsStore& MachineSettings();
void SetSettingsStores(SettingsStore* user, SettingsStore* machine);

}  // namespace tlx4r::platform
