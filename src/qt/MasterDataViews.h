#pragma once

namespace tlx4r::qt {

class ViewRegistry;

// Registers the views of the master-data dialogs (projects, clients, lookup tables, contacts),
// each with a filled-in sample that needs no database.
void RegisterMasterDataViews(ViewRegistry& registry);

}  // namespace tlx4r::qt
