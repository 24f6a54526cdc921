#pragma once

#include <vector>

namespace tlx4r::ui {
class ListView;
}

// What the small list dialogs of the entries share: their list's columns follow the window.
namespace tlx4r {

// Shares the width a list of a window form_width twips wide can show among its columns in
// proportion to weights (one per column, in order), keeping headers and alignments. The room
// for the window's margins and a scroll bar is left out, and reserved twips more for what stands
// beside the list; a width of 0 (a window never sized) leaves the columns as they are.
void ListColumnsFit(ui::ListView& list, int form_width, const std::vector<int>& weights,
                    int reserved = 0);

}  // namespace tlx4r
