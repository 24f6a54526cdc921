#include "reporting/ItemSelect.h"

#include "reporting/frmItemSelect.h"

namespace tlx4r {

ItemSelect::ItemSelect() = default;
ItemSelect::~ItemSelect() = default;

void ItemSelect::Choose(const std::string& table, const std::string& topic) {
    if (!form_) form_ = std::make_unique<frmItemSelect>();
    form_->Choose(table, topic);
    SelectedID = form_->SelectedID();
    SelectedName = form_->SelectedName();
}

}  // namespace tlx4r
