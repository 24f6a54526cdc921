#pragma once

#include "core/Creatable.h"

#include <memory>
#include <string>
#include <vector>

namespace tlx4r {

// Creates the component's public classes by their program identifiers ("TLX4R.Reporting"), as a
// host that knows the component only by name does. Identifiers compare case-insensitively.
class ComponentFactory {
public:
    // The identifiers of every creatable class.
    static std::vector<std::string> ProgIds();
    // A new object of the class; throws AppError 429 for an identifier the component does not
    // register.
    static std::unique_ptr<Creatable> CreateObject(const std::string& prog_id);
    // The object as the class the caller expects; AppError 13 when it is another class.
    template <class T>
    static std::unique_ptr<T> Create(const std::string& prog_id);
};

}  // namespace tlx4r

#include "types/AppError.h"

namespace tlx4r {

template <class T>
std::unique_ptr<T> ComponentFactory::Create(const std::string& prog_id) {
    std::unique_ptr<Creatable> object = CreateObject(prog_id);
    T* typed = dynamic_cast<T*>(object.get());
    if (typed == nullptr) throw AppError(13, "CreateObject", "Typen unverträglich: " + prog_id);
    object.release();
    return std::unique_ptr<T>(typed);
}

}  // namespace tlx4r
