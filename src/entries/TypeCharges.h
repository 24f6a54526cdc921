#pragma once

#include "entries/TypeBase.h"

namespace tlx4r {

// The catalogue of fee categories (table TypeCharges).
class TypeCharges : public TypeBase {
public:
    explicit TypeCharges(db::Database& db) : TypeBase(db, 0, "TypeCharges", "Gebühren") {}
};

}  // namespace tlx4r
