#pragma once

#include "core/ProgOption.h"
#include "platform/SettingsStore.h"

#include <string>

namespace tlx4r {

// The host's own options, which the component reads through the host interface
// ("EnableExporter", "ProjectExportFormats"). They live in the settings stores under the host's
// section: the user's value wins, then the machine's (an administrator's preset for all users),
// then the built-in default.
class HostOptions {
public:
    static constexpr const char* kSectionRoot = "Software\\Kelvora\\Finance\\V4\\Host";
    static constexpr const char* kSection = "Options";
    // Offer the project export in the project overview. Default: on.
    static constexpr const char* kEnableExporter = "EnableExporter";
    // The formats a changed project or client is exported in, into "events" beside the reporting
    // database; "" (the default) exports nothing.
    static constexpr const char* kProjectExportFormats = "ProjectExportFormats";
    // The office's name at the head of every printed report; "" (the default) prints the name
    // of the finance database instead.
    static constexpr const char* kOfficeName = "OfficeName";

    // Works on the program's stores.
    HostOptions();
    // Works on the given stores, which must outlive this object.
    HostOptions(platform::SettingsStore& user, platform::SettingsStore& machine);

    // False for an option nobody set and that has no built-in default. A stored number counts as
    // true unless 0; a stored text (a hand-edited file) as true for "1", "-1", "true", "yes",
    // "ja", "wahr", as false for "0", "", "false", "no", "nein", "falsch", anything else falls
    // back to the default.
    bool Boolean(const std::string& name) const;
    // "" for an option nobody set and that has no built-in default.
    std::string Text(const std::string& name) const;

    // Store the user's choice. Failures of the store throw platform::RegistryError.
    void SetBoolean(const std::string& name, bool value);
    void SetText(const std::string& name, const std::string& value);
    // Forgets the user's choice, so that the machine's preset or the default applies again.
    void Reset(const std::string& name);

private:
    db::Value Stored(const std::string& name) const;

    ProgOption options_;
};

}  // namespace tlx4r
