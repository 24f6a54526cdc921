#pragma once

namespace tlx4r {

// What every class the component's factory creates by program identifier derives from.
class Creatable {
public:
    virtual ~Creatable() = default;
};

}  // namespace tlx4r
