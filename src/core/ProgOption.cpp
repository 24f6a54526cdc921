#include "ProgOption.h"

#include "core/Registry.h"
#include "core/modStringLibrary.h"
#include "platform/RegistryStore.h"
#include "ui/Ui.h"

#include <stdexcept>

namespace tlx4r {

namespace {

// Lets pending window events run; a program without a Ui yet (start-up, the command line) has
// none to run.
void PendingEvents() {
    try {
        ui::Current().DoEvents();
    } catch (const std::logic_error&) {
    }
}

// Runs PendingEvents when the operation ends, however it ends.
struct EventsOnReturn {
    EventsOnReturn() = default;
    EventsOnReturn(const EventsOnReturn&) = delete;
    EventsOnReturn& operator=(const EventsOnReturn&) = delete;
    ~EventsOnReturn() { PendingEvents(); }
};

constexpr const char* kProbeName = "_ProgOption_";
constexpr const char* kProbeValue = "_Test1234_";

}  // namespace

ProgOption::ProgOption() : ProgOption(platform::UserSettings(), platform::MachineSettings()) {}

ProgOption::ProgOption(platform::SettingsStore& user, platform::SettingsStore& machine)
    : user_(&user), machine_(&machine) {}

std::string ProgOption::KeyPath(const std::string& section) const {
    std::string root = Trim(section_root_);
    std::string sub = Trim(section);
    std::string path;
    if (!root.empty() && !sub.empty()) {
        path = root.back() == '\\' ? root + sub : root + "\\" + sub;
    } else {
        path = root.empty() ? sub : root;
    }
    if (!path.empty() && path.back() == '\\') path.pop_back();
    return path;
}

db::Value ProgOption::Get(Store store, const std::string& section, const std::string& name,
                          const db::Value& default_value) const {
    EventsOnReturn events;
    try {
        Registry reg(*user_, *machine_);
        auto hive =
            store == Store::User ? Registry::Hive::CurrentUser : Registry::Hive::LocalMachine;
        if (!reg.KeyOpen(hive, KeyPath(section))) return default_value;
        return reg.Value(name).value_or(default_value);
    } catch (const std::exception&) {
        return default_value;
    }
}

void ProgOption::Set(Store store, const std::string& section, const std::string& name,
                     const db::Value& value) {
    EventsOnReturn events;
    Registry reg(*user_, *machine_);
    auto hive = store == Store::User ? Registry::Hive::CurrentUser : Registry::Hive::LocalMachine;
    if (!Trim(section).empty()) {
        reg.KeyOpen(hive, KeyPath(""), true);
        reg.SubKeyCreate(Trim(section));
    }
    reg.KeyOpen(hive, KeyPath(section), true);
    reg.Value(name, value);
}

void ProgOption::Delete(Store store, const std::string& section, const std::string& name) {
    EventsOnReturn events;
    try {
        Registry reg(*user_, *machine_);
        auto hive =
            store == Store::User ? Registry::Hive::CurrentUser : Registry::Hive::LocalMachine;
        // Opening for writing would create the section only to find nothing in it.
        if (!reg.KeyOpen(hive, KeyPath(section))) return;
        reg.KeyOpen(hive, KeyPath(section), true);
        reg.ValueNameDelete(name);
    } catch (const std::exception&) {
    }
}

bool ProgOption::CanWrite(Store store, const std::string& section) {
    try {
        Set(store, section, kProbeName, kProbeValue);
        Registry reg(*user_, *machine_);
        auto hive =
            store == Store::User ? Registry::Hive::CurrentUser : Registry::Hive::LocalMachine;
        reg.KeyOpen(hive, KeyPath(section), true);
        return reg.ValueNameDelete(kProbeName);
    } catch (const std::exception&) {
        return false;
    }
}

db::Value ProgOption::CurrentUser(const std::string& section, const std::string& name,
                                  const db::Value& default_value) const {
    return Get(Store::User, section, name, default_value);
}

db::Value ProgOption::LocalMachine(const std::string& section, const std::string& name,
                                   const db::Value& default_value) const {
    return Get(Store::Machine, section, name, default_value);
}

void ProgOption::CurrentUserSet(const std::string& section, const std::string& name,
                                const db::Value& value) {
    Set(Store::User, section, name, value);
}

void ProgOption::LocalMachineSet(const std::string& section, const std::string& name,
                                 const db::Value& value) {
    Set(Store::Machine, section, name, value);
}

void ProgOption::CurrentUserDelete(const std::string& section, const std::string& name) {
    Delete(Store::User, section, name);
}

void ProgOption::LocalMachineDelete(const std::string& section, const std::string& name) {
    Delete(Store::Machine, section, name);
}

bool ProgOption::CurrentUserCanWrite(const std::string& section) {
    return CanWrite(Store::User, section);
}

bool ProgOption::LocalMachineCanWrite(const std::string& section) {
    return CanWrite(Store::Machine, section);
}

}  // namespace tlx4r
