#pragma once

#include "db/Value.h"
#include "platform/SettingsStore.h"

#include <string>

namespace tlx4r {

// The component's per-user and per-machine options: values in sections below a section root of
// the settings stores, read with a default and written through Registry.
//
// Reads never fail: a missing key or value, or any failure, gives the default. Writes pass the
// stores' errors (platform::RegistryError) to the caller, except the CanWrite probes, which turn
// them into false. Every operation lets pending window events run before it returns, when a Ui
// is installed, as the dialogs that call these expect to stay painted.
class ProgOption {
public:
    // The root the component works under, and its sections and value names.
    static constexpr const char* kReportingRoot = "Software\\Kelvora\\Finance\\V4\\Reporting";
    // Machine-wide: written at start-up for installers and support tools.
    static constexpr const char* kSectionRelease = "Release";
    static constexpr const char* kValueProductName = "ProductName";
    static constexpr const char* kValueVersion = "Version";
    // The legal notice is kept under the name of its version-information field.
    static constexpr const char* kValueLegalCopyright = "LegalCopyright";
    // Per user: the lookup tables' default rows, F + "DefaultID" (Long, 0 for none).
    static constexpr const char* kSectionOptions = "Options";

    // Works on the program's stores (platform::UserSettings and MachineSettings).
    ProgOption();
    // Works on the given stores, which must outlive this object.
    ProgOption(platform::SettingsStore& user, platform::SettingsStore& machine);

    const std::string& SectionRoot() const { return section_root_; }
    void SetSectionRoot(std::string root) { section_root_ = std::move(root); }
    // The key path of a section: root and section trimmed and joined with "\" (one of them alone
    // when the other is empty), without a trailing "\".
    std::string KeyPath(const std::string& section) const;

    // The stored value (a text as Text, a number as Long), or default_value.
    db::Value CurrentUser(const std::string& section, const std::string& name,
                          const db::Value& default_value = {}) const;
    db::Value LocalMachine(const std::string& section, const std::string& name,
                           const db::Value& default_value = {}) const;

    // Stores the value, creating the section's key when it is new. Long and Boolean are stored
    // as numbers, everything else as text (Registry::Value).
    void CurrentUserSet(const std::string& section, const std::string& name,
                        const db::Value& value);
    void LocalMachineSet(const std::string& section, const std::string& name,
                         const db::Value& value);

    // Deletes the value; a missing value and any failure are ignored.
    void CurrentUserDelete(const std::string& section, const std::string& name);
    void LocalMachineDelete(const std::string& section, const std::string& name);

    // True iff a test value can be written into the section and deleted again.
    bool CurrentUserCanWrite(const std::string& section = "");
    bool LocalMachineCanWrite(const std::string& section = "");

private:
    enum class Store { User, Machine };
    db::Value Get(Store store, const std::string& section, const std::string& name,
                  const db::Value& default_value) const;
    void Set(Store store, const std::string& section, const std::string& name,
             const db::Value& value);
    void Delete(Store store, const std::string& section, const std::string& name);
    bool CanWrite(Store store, const std::string& section);

    platform::SettingsStore* user_;
    platform::SettingsStore* machine_;
    std::string section_root_;
};

}  // namespace tlx4r
