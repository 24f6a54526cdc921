#pragma once

namespace tlx4r::qt {

class ViewRegistry;

// Adds the views of the entry form's choosers and the category dialogs to registry, each with a
// sample filled with plausible rows (no database needed).
void RegisterEntryChooserViews(ViewRegistry& registry);

}  // namespace tlx4r::qt
