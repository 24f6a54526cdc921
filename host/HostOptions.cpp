#include "host/HostOptions.h"

#include "core/modStringLibrary.h"
#include "types/Utf8.h"

#include <map>
#include <optional>

namespace tlx4r {

namespace {

struct Default {
    bool boolean;
    const char* text;
};

// Options the host knows of, with the value they have until somebody sets them.
const std::map<std::string, Default>& Defaults() {
    static const std::map<std::string, Default> defaults{
        {utf8::Lower(HostOptions::kEnableExporter), {true, "True"}},
        {utf8::Lower(HostOptions::kProjectExportFormats), {false, ""}},
        {utf8::Lower(HostOptions::kOfficeName), {false, ""}},
    };
    return defaults;
}

std::optional<Default> DefaultOf(const std::string& name) {
    auto it = Defaults().find(utf8::Lower(name));
    if (it == Defaults().end()) return std::nullopt;
    return it->second;
}

std::optional<bool> AsBoolean(const db::Value& v) {
    if (v.kind() == db::Value::Kind::Long) return v.ToLong() != 0;
    if (v.kind() != db::Value::Kind::Text) return std::nullopt;
    std::string t = utf8::Lower(Trim(v.ToText()));
    for (const char* yes : {"1", "-1", "true", "yes", "ja", "wahr"}) {
        if (t == yes) return true;
    }
    for (const char* no : {"0", "", "false", "no", "nein", "falsch"}) {
        if (t == no) return false;
    }
    return std::nullopt;
}

}  // namespace

HostOptions::HostOptions() { options_.SetSectionRoot(kSectionRoot); }

HostOptions::HostOptions(platform::SettingsStore& user, platform::SettingsStore& machine)
    : options_(user, machine) {
    options_.SetSectionRoot(kSectionRoot);
}

db::Value HostOptions::Stored(const std::string& name) const {
    db::Value v = options_.CurrentUser(kSection, name);
    return v.IsNull() ? options_.LocalMachine(kSection, name) : v;
}

bool HostOptions::Boolean(const std::string& name) const {
    auto fallback = DefaultOf(name);
    bool default_value = fallback ? fallback->boolean : false;
    db::Value user = options_.CurrentUser(kSection, name);
    if (auto b = AsBoolean(user)) return *b;
    db::Value machine = options_.LocalMachine(kSection, name);
    if (auto b = AsBoolean(machine)) return *b;
    return default_value;
}

std::string HostOptions::Text(const std::string& name) const {
    db::Value v = Stored(name);
    if (!v.IsNull()) return v.ToText();
    auto fallback = DefaultOf(name);
    return fallback ? fallback->text : "";
}

void HostOptions::SetBoolean(const std::string& name, bool value) {
    options_.CurrentUserSet(kSection, name, db::Value(value));
}

void HostOptions::SetText(const std::string& name, const std::string& value) {
    options_.CurrentUserSet(kSection, name, db::Value(value));
}

void HostOptions::Reset(const std::string& name) { options_.CurrentUserDelete(kSection, name); }

}  // namespace tlx4r
