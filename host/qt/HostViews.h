#pragma once

namespace tlx4r::qt {

class ViewRegistry;

// Adds the views of the host's own forms (the account chooser) to registry; the desktop program
// calls it once at start, before any form is shown.
void RegisterHostViews(ViewRegistry& registry);

}  // namespace tlx4r::qt
