#pragma once

#include <stdexcept>
#include <string>

namespace tlx4r {

// An error the component raises itself: a number, the routine that raised it and the
// description a message box shows (for example 900 / "ImportOneLine").
class AppError : public std::runtime_error {
public:
    AppError(long number, std::string source, const std::string& description)
        : std::runtime_error(description), number_(number), source_(std::move(source)) {}

    long Number() const { return number_; }
    const std::string& Source() const { return source_; }
    std::string Description() const { return what(); }

private:
    long number_;
    std::string source_;
};

}  // namespace tlx4r
