#pragma once

namespace tlx4r::qt {

class ViewRegistry;

// Registers the views of the selection and report dialogs, each with a filled-in sample.
void RegisterReportViews(ViewRegistry& registry);

}  // namespace tlx4r::qt
