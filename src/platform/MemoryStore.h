#pragma once

#include "platform/SettingsStore.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tlx4r::platform {

// A settings store in memory: the tree itself, which the file-backed store loads into and saves
// from, and the store tests use where the file does not matter. A copy is a deep copy, which lets
// the file-backed store apply a change to a copy and keep the original when saving fails.
class MemoryStore : public SettingsStore {
public:
    // A store that is not writable refuses writes as a machine store does for a user.
    explicit MemoryStore(bool writable = true, std::string description = "in-memory settings");

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
    bool CanWrite() const override { return writable_; }

    // Visits every key depth-first, parents before children and sub-keys in enumeration order,
    // with its full path ("" for the root) and its values in order.
    template <class Visit>
    void Walk(Visit&& visit) const {
        WalkKey(root_, std::string(), visit);
    }
    bool Empty() const { return root_.values.empty() && root_.subkeys.empty(); }

    // The key names of a path; throws RegistryError kInvalidName for an empty name inside it.
    static std::vector<std::string> SplitPath(std::string_view path);
    // The form in which names compare.
    static std::string Fold(std::string_view name);

private:
    struct Key {
        std::string name;
        std::string folded;
        std::vector<std::pair<std::string, RegistryValue>> values;
        std::vector<Key> subkeys;  // sorted by folded name
    };

    template <class Visit>
    static void WalkKey(const Key& key, const std::string& path, Visit& visit) {
        visit(path, key.values);
        for (const auto& sub : key.subkeys)
            WalkKey(sub, path.empty() ? sub.name : path + "\\" + sub.name, visit);
    }

    const Key* Find(std::string_view path) const;
    Key* Find(std::string_view path);
    void RequireWritable() const;

    Key root_;
    bool writable_;
    std::string description_;
};

}  // namespace tlx4r::platform
