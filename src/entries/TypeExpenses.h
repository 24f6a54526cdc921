#pragma once

#include "entries/TypeBase.h"

namespace tlx4r {

// The catalogue of disbursement categories (table TypeExpenses).
class TypeExpenses : public TypeBase {
public:
    explicit TypeExpenses(db::Database& db) : TypeBase(db, 1, "TypeExpenses", "Auslagen") {}
};

}  // namespace tlx4r
