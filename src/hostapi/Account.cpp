#include "Account.h"

namespace tlx4r::hostapi {

namespace {

std::string TextOf(const db::Value& v) { return v.IsNull() ? std::string() : v.ToText(); }

}  // namespace

// Defined here so that the class's vtable lives in one object file.
Account::~Account() = default;

std::string Account::Code() const { return TextOf(Property("Code")); }

std::string Account::Name() const { return TextOf(Property("Name")); }

}  // namespace tlx4r::hostapi
