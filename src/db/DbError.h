#pragma once

#include <stdexcept>
#include <string>

namespace tlx4r::db {

// The database layer's one error type: the number the old engine used where there is one, and a
// description a user can act on (it is what message boxes show).
class DbError : public std::runtime_error {
public:
    DbError(long number, const std::string& description)
        : std::runtime_error(description), number_(number) {}

    long Number() const { return number_; }
    std::string Description() const { return what(); }

private:
    long number_;
};

}  // namespace tlx4r::db
