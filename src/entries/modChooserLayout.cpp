#include "entries/modChooserLayout.h"

#include "ui/Form.h"
#include "ui/ListView.h"

#include <algorithm>
#include <numeric>

namespace tlx4r {

namespace {

// Margins on both sides and a vertical scroll bar, in twips.
constexpr int kChrome = ui::PixelsToTwips(48);
// No column gets narrower than a short word.
constexpr int kNarrowest = ui::PixelsToTwips(30);

}  // namespace

void ListColumnsFit(ui::ListView& list, int form_width, const std::vector<int>& weights,
                    int reserved) {
    const auto columns = list.Columns();
    const int total = std::accumulate(weights.begin(), weights.end(), 0);
    if (form_width <= 0 || total <= 0 || weights.size() != columns.size()) return;
    const int room =
        std::max(form_width - kChrome - reserved, kNarrowest * static_cast<int>(columns.size()));
    ui::Form::EventScope scope(list.Owner());
    list.ClearColumns();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        list.AddColumn(columns[i].header, std::max(kNarrowest, room * weights[i] / total),
                       columns[i].alignment);
    }
}

}  // namespace tlx4r
