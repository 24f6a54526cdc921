#include "host/HostAccount.h"

#include "types/Utf8.h"

namespace tlx4r {

db::Value HostAccount::Property(std::string_view name) const {
    const std::string key = utf8::Lower(name);
    if (key == "id") return db::Value(data_.id);
    if (key == "code") return db::Value(data_.code);
    if (key == "name") return db::Value(data_.name);
    if (key == "isgeneralledger") return db::Value(data_.general_ledger);
    if (key == "level") return db::Value(static_cast<std::int32_t>(data_.level));
    if (key == "closed") return db::Value(data_.closed);
    if (key == "workedbalance") return db::Value(data_.worked_balance);
    if (key == "deleteoncloture") return db::Value(data_.delete_on_cloture);
    return {};
}

}  // namespace tlx4r
