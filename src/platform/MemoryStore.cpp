#include "MemoryStore.h"

#include "platform/RegistryError.h"
#include "types/Utf8.h"

#include <algorithm>

namespace tlx4r::platform {

namespace {

template <class Values>
auto FindValue(Values& values, const std::string& folded) {
    return std::find_if(values.begin(), values.end(),
                        [&](const auto& v) { return MemoryStore::Fold(v.first) == folded; });
}

}  // namespace

MemoryStore::MemoryStore(bool writable, std::string description)
    : writable_(writable), description_(std::move(description)) {}

std::string MemoryStore::Fold(std::string_view name) { return utf8::Lower(name); }

std::vector<std::string> MemoryStore::SplitPath(std::string_view path) {
    if (!path.empty() && path.front() == '\\') path.remove_prefix(1);
    if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
    std::vector<std::string> names;
    if (path.empty()) return names;
    std::size_t start = 0;
    while (true) {
        std::size_t end = path.find('\\', start);
        std::string_view name =
            path.substr(start, end == std::string_view::npos ? end : end - start);
        if (name.empty()) {
            throw RegistryError(RegistryError::kInvalidName,
                                "Invalid key path \"" + std::string(path) + "\": empty key name");
        }
        // A key name is a header line of the settings file: no line breaks or other controls.
        if (std::any_of(name.begin(), name.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20; })) {
            throw RegistryError(
                RegistryError::kInvalidName,
                "Invalid key name \"" + std::string(name) + "\": control character");
        }
        names.emplace_back(name);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return names;
}

const MemoryStore::Key* MemoryStore::Find(std::string_view path) const {
    const Key* key = &root_;
    for (const auto& name : SplitPath(path)) {
        std::string folded = Fold(name);
        auto it = std::lower_bound(key->subkeys.begin(), key->subkeys.end(), folded,
                                   [](const Key& k, const std::string& f) { return k.folded < f; });
        if (it == key->subkeys.end() || it->folded != folded) return nullptr;
        key = &*it;
    }
    return key;
}

MemoryStore::Key* MemoryStore::Find(std::string_view path) {
    return const_cast<Key*>(std::as_const(*this).Find(path));
}

void MemoryStore::RequireWritable() const {
    if (!writable_) {
        throw RegistryError(RegistryError::kAccessDenied,
                            "Access denied: the " + description_ + " cannot be changed");
    }
}

bool MemoryStore::KeyExists(std::string_view path) const { return Find(path) != nullptr; }

void MemoryStore::KeyCreate(std::string_view path) {
    auto names = SplitPath(path);
    RequireWritable();
    Key* key = &root_;
    for (auto& name : names) {
        std::string folded = Fold(name);
        auto it = std::lower_bound(key->subkeys.begin(), key->subkeys.end(), folded,
                                   [](const Key& k, const std::string& f) { return k.folded < f; });
        if (it == key->subkeys.end() || it->folded != folded) {
            it = key->subkeys.insert(it, Key{std::move(name), folded, {}, {}});
        }
        key = &*it;
    }
}

bool MemoryStore::KeyDelete(std::string_view path) {
    auto names = SplitPath(path);
    if (names.empty()) {
        throw RegistryError(RegistryError::kInvalidName, "The root key cannot be deleted");
    }
    RequireWritable();
    std::string leaf = Fold(names.back());
    names.pop_back();
    Key* parent = &root_;
    for (const auto& name : names) {
        std::string folded = Fold(name);
        auto it = std::find_if(parent->subkeys.begin(), parent->subkeys.end(),
                               [&](const Key& k) { return k.folded == folded; });
        if (it == parent->subkeys.end()) return false;
        parent = &*it;
    }
    return std::erase_if(parent->subkeys, [&](const Key& k) { return k.folded == leaf; }) > 0;
}

std::vector<std::string> MemoryStore::SubKeys(std::string_view path) const {
    std::vector<std::string> names;
    if (const Key* key = Find(path)) {
        for (const auto& sub : key->subkeys) names.push_back(sub.name);
    }
    return names;
}

std::vector<std::string> MemoryStore::ValueNames(std::string_view path) const {
    std::vector<std::string> names;
    if (const Key* key = Find(path)) {
        for (const auto& v : key->values) names.push_back(v.first);
    }
    return names;
}

std::optional<RegistryValue> MemoryStore::ValueGet(std::string_view path,
                                                   std::string_view name) const {
    const Key* key = Find(path);
    if (key == nullptr) return std::nullopt;
    auto it = FindValue(key->values, Fold(name));
    if (it == key->values.end()) return std::nullopt;
    return it->second;
}

void MemoryStore::ValueSet(std::string_view path, std::string_view name,
                           const RegistryValue& value) {
    Key* key = Find(path);
    RequireWritable();
    if (key == nullptr) {
        throw RegistryError(RegistryError::kNotFound,
                            "The key \"" + std::string(path) + "\" does not exist");
    }
    auto it = FindValue(key->values, Fold(name));
    if (it == key->values.end()) {
        key->values.emplace_back(std::string(name), value);
    } else {
        it->second = value;
    }
}

bool MemoryStore::ValueDelete(std::string_view path, std::string_view name) {
    Key* key = Find(path);
    RequireWritable();
    if (key == nullptr) return false;
    std::string folded = Fold(name);
    return std::erase_if(key->values, [&](const auto& v) { return Fold(v.first) == folded; }) > 0;
}

}  // namespace tlx4r::platform
