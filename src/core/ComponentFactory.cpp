#include "core/ComponentFactory.h"

#include "core/Reporting.h"
#include "reporting/EntriesRange.h"
#include "reporting/EntriesSelect.h"
#include "reporting/Exporter.h"
#include "reporting/ItemSelect.h"
#include "reporting/ProjectSelect.h"
#include "reporting/ProjectView.h"
#include "reporting/ctlDateRange.h"
#include "types/Utf8.h"

#include <functional>

namespace tlx4r {

namespace {

struct Registration {
    const char* prog_id;
    std::function<std::unique_ptr<Creatable>()> create;
};

// Every public creatable class, as it lands.
const std::vector<Registration>& Registrations() {
    static const std::vector<Registration> all{
        {"TLX4R.Reporting", [] { return std::make_unique<Reporting>(); }},
        {"TLX4R.Exporter", [] { return std::make_unique<Exporter>(); }},
        {"TLX4R.ctlDateRange", [] { return std::make_unique<ctlDateRange>(); }},
        {"TLX4R.EntriesSelect", [] { return std::make_unique<EntriesSelect>(); }},
        {"TLX4R.EntriesRange", [] { return std::make_unique<EntriesRange>(); }},
        {"TLX4R.ProjectView", [] { return std::make_unique<ProjectView>(); }},
        {"TLX4R.ItemSelect", [] { return std::make_unique<ItemSelect>(); }},
        {"TLX4R.ProjectSelect", [] { return std::make_unique<ProjectSelect>(); }},
    };
    return all;
}

}  // namespace

std::vector<std::string> ComponentFactory::ProgIds() {
    std::vector<std::string> ids;
    for (const auto& r : Registrations()) ids.emplace_back(r.prog_id);
    return ids;
}

std::unique_ptr<Creatable> ComponentFactory::CreateObject(const std::string& prog_id) {
    const std::string wanted = utf8::Lower(prog_id);
    for (const auto& r : Registrations())
        if (utf8::Lower(r.prog_id) == wanted) return r.create();
    throw AppError(429, "CreateObject", "Die Komponente kennt keine Klasse '" + prog_id + "'.");
}

}  // namespace tlx4r
