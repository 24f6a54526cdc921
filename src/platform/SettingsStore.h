#pragma once

#include "platform/RegistryError.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tlx4r::platform {

// A stored value: a text, or a 32-bit number (the registry's double word, read as a Long).
using RegistryValue = std::variant<std::string, std::int32_t>;

// A tree of keys holding named values, as the registry kept the program's options: one store per
// user and one per machine.
//
// Paths name keys below the store's root with "\" between the key names, as the component writes
// them ("Software\Kelvora\Finance\V4\Reporting\Options"); a leading or trailing "\" is ignored and
// "" is the root itself. Key and value names compare case-insensitively (umlauts too) and keep
// the case they were created with. The value name "" is the key's default value.
//
// Enumeration order: sub-keys by name, case-insensitively; values in the order they were first
// set. A path with an empty key name inside ("a\\b") throws RegistryError kInvalidName.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual bool KeyExists(std::string_view path) const = 0;
    // Creates the key and every missing key on its path; a no-op for a key that exists.
    virtual void KeyCreate(std::string_view path) = 0;
    // Deletes the key with its values and all keys below it. False iff there was no such key.
    // The root cannot be deleted (kInvalidName).
    virtual bool KeyDelete(std::string_view path) = 0;
    // The names of the key's direct sub-keys; empty when the key does not exist.
    virtual std::vector<std::string> SubKeys(std::string_view path) const = 0;
    // The names of the key's values; empty when the key does not exist.
    virtual std::vector<std::string> ValueNames(std::string_view path) const = 0;

    // nullopt when the key or the value does not exist.
    virtual std::optional<RegistryValue> ValueGet(std::string_view path,
                                                  std::string_view name) const = 0;
    // Requires the key to exist (RegistryError kNotFound otherwise): keys are created on purpose,
    // never by a mistyped path. A value of another type under the same name is replaced.
    virtual void ValueSet(std::string_view path, std::string_view name,
                          const RegistryValue& value) = 0;
    // False iff the key or the value did not exist.
    virtual bool ValueDelete(std::string_view path, std::string_view name) = 0;

    // True iff writes are allowed. Every write of a store that cannot be written throws
    // RegistryError kAccessDenied, with a description that says which store and why.
    virtual bool CanWrite() const = 0;
};

}  // namespace tlx4r::platform
