#include "Registry.h"

#include "platform/Folders.h"
#include "platform/RegistryError.h"
#include "platform/RegistryStore.h"
#include "types/Utf8.h"

namespace tlx4r {

using platform::RegistryError;

namespace {

std::string WithoutLeadingSeparator(const std::string& path) {
    return !path.empty() && path.front() == '\\' ? path.substr(1) : path;
}

std::string Join(const std::string& folder, const std::string& name) {
    std::string rest = WithoutLeadingSeparator(name);
    return rest.empty() ? folder : folder + "\\" + rest;
}

}  // namespace

Registry::Registry() : Registry(platform::UserSettings(), platform::MachineSettings()) {}

Registry::Registry(platform::SettingsStore& user, platform::SettingsStore& machine)
    : user_(&user), machine_(&machine) {}

bool Registry::KeyOpen(Hive hive, const std::string& key, bool write) {
    KeyClose();
    platform::SettingsStore* store = nullptr;
    std::string path;
    switch (hive) {
        case Hive::CurrentUser:
            store = user_;
            path = key;
            break;
        case Hive::LocalMachine:
            store = machine_;
            path = key;
            break;
        case Hive::ClassesRoot:
            store = machine_;
            path = Join("Software\\Classes", key);
            break;
        case Hive::Users: {
            std::string rest = WithoutLeadingSeparator(key);
            std::size_t cut = rest.find('\\');
            std::string user = rest.substr(0, cut);
            auto login = platform::EnvironmentValue("USER");
            if (user.empty() || !login || utf8::Lower(user) != utf8::Lower(*login)) {
                if (write) {
                    throw RegistryError(RegistryError::kAccessDenied,
                                        "Access denied: only the settings of the current user can "
                                        "be changed");
                }
                return false;
            }
            store = user_;
            path = cut == std::string::npos ? std::string() : rest.substr(cut + 1);
            break;
        }
    }
    if (write) {
        store->KeyCreate(path);
    } else if (!store->KeyExists(path)) {
        return false;
    }
    store_ = store;
    store_path_ = path;
    hive_ = hive;
    key_ = key;
    write_ = write;
    return true;
}

bool Registry::KeyOpenLocalMachine(const std::string& key, bool write) {
    return KeyOpen(Hive::LocalMachine, key, write);
}

bool Registry::KeyOpenCurrentUser(const std::string& key, bool write) {
    return KeyOpen(Hive::CurrentUser, key, write);
}

bool Registry::KeyOpenClassesRoot(const std::string& key, bool write) {
    return KeyOpen(Hive::ClassesRoot, key, write);
}

bool Registry::KeyOpenUsers(const std::string& key, bool write) {
    return KeyOpen(Hive::Users, key, write);
}

void Registry::KeyClose() {
    store_ = nullptr;
    store_path_.clear();
    key_.clear();
    write_ = false;
    sub_keys_.clear();
    sub_key_.clear();
    value_names_.clear();
    value_name_.clear();
}

void Registry::RequireOpen() const {
    if (!IsOpen()) throw RegistryError(RegistryError::kInvalidHandle, "No registry key is open");
}

void Registry::RequireWritable() const {
    RequireOpen();
    if (!write_) {
        throw RegistryError(RegistryError::kAccessDenied,
                            "Access denied: the key \"" + key_ + "\" is open for reading only");
    }
}

std::string Registry::PathOf(const std::string& name) const {
    std::string rest = WithoutLeadingSeparator(name);
    if (store_path_.empty()) return rest;
    return rest.empty() ? store_path_ : store_path_ + "\\" + rest;
}

bool Registry::SubKeyFirst() {
    sub_keys_ = IsOpen() ? store_->SubKeys(store_path_) : std::vector<std::string>{};
    sub_key_index_ = 0;
    return SubKeyNext();
}

bool Registry::SubKeyNext() {
    if (sub_key_index_ >= sub_keys_.size()) {
        sub_key_.clear();
        return false;
    }
    sub_key_ = sub_keys_[sub_key_index_++];
    return true;
}

void Registry::SubKeyCreate(const std::string& name) {
    RequireWritable();
    store_->KeyCreate(PathOf(name));
}

bool Registry::SubKeyDelete(const std::string& name) {
    RequireWritable();
    if (WithoutLeadingSeparator(name).empty()) {
        throw RegistryError(RegistryError::kInvalidName, "No sub-key named to delete");
    }
    return store_->KeyDelete(PathOf(name));
}

bool Registry::ValueNameFirst() {
    value_names_ = IsOpen() ? store_->ValueNames(store_path_) : std::vector<std::string>{};
    value_name_index_ = 0;
    return ValueNameNext();
}

bool Registry::ValueNameNext() {
    if (value_name_index_ >= value_names_.size()) {
        value_name_.clear();
        return false;
    }
    value_name_ = value_names_[value_name_index_++];
    return true;
}

bool Registry::ValueNameDelete(const std::string& name) {
    RequireWritable();
    return store_->ValueDelete(store_path_, name);
}

std::optional<db::Value> Registry::Value(const std::string& name) const {
    if (!IsOpen()) return std::nullopt;
    auto stored = store_->ValueGet(store_path_, name);
    if (!stored) return std::nullopt;
    if (const auto* text = std::get_if<std::string>(&*stored)) return db::Value(*text);
    return db::Value(std::get<std::int32_t>(*stored));
}

void Registry::Value(const std::string& name, const db::Value& value) {
    RequireWritable();
    platform::RegistryValue stored;
    switch (value.kind()) {
        case db::Value::Kind::Long:
        case db::Value::Kind::Boolean:
            stored = value.ToLong();
            break;
        case db::Value::Kind::Null:
            stored = std::string();
            break;
        default:
            stored = value.ToText();
    }
    store_->ValueSet(store_path_, name, stored);
}

}  // namespace tlx4r
