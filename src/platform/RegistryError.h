#pragma once

#include <stdexcept>
#include <string>

namespace tlx4r::platform {

// A failure of a settings store. The number is the one the old registry API gave for the same
// failure, so that callers can tell "not there" from "not allowed" without parsing texts.
class RegistryError : public std::runtime_error {
public:
    static constexpr long kNotFound = 2;
    static constexpr long kInvalidHandle = 6;
    static constexpr long kAccessDenied = 5;
    static constexpr long kInvalidData = 13;
    static constexpr long kInvalidName = 87;
    static constexpr long kWriteFault = 29;

    RegistryError(long number, const std::string& description)
        : std::runtime_error(description), number_(number) {}

    long Number() const { return number_; }
    std::string Description() const { return what(); }

private:
    long number_;
};

}  // namespace tlx4r::platform
