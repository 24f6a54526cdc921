#include "qt/ViewRegistry.h"

#include "core/frmInfo.h"
#include "core/modReporting.h"
#include "core/modStringLibrary.h"
#include "qt/DateRangeView.h"
#include "qt/EntryChooserViews.h"
#include "qt/EntrySamples.h"
#include "qt/EntryView.h"
#include "entries/frmEntry.h"
#include "qt/InfoView.h"
#include "qt/ReportViews.h"
#include "qt/MasterDataViews.h"
#include "reporting/ctlDateRange.h"

namespace tlx4r::qt {

ViewRegistry& ViewRegistry::Instance() {
    static ViewRegistry registry = [] {
        ViewRegistry r;
        r.Register(
            "ctlDateRange", [](ui::Form& form) -> QWidget* { return new DateRangeView(dynamic_cast<ctlDateRange&>(form)); },
            [] {
                // Filled in, so that a screenshot shows what the control is for.
                auto range = std::make_unique<ctlDateRange>();
                range->SetQuarter(2024, 2, 0);
                return range;
            });
        r.Register(
            "frmInfo", [](ui::Form& form) -> QWidget* { return new InfoView(dynamic_cast<frmInfo&>(form)); },
            [] {
                auto info = std::make_unique<frmInfo>();
                info->lblProgram.SetCaption("Reporting (" + std::to_string(kVersionMajor) + "." +
                                            std::to_string(kVersionMinor) + "." +
                                            std::to_string(kVersionRevision) + " - " + ReleaseDate() + ")");
                info->lblCopyright.SetCaption(LegalCopyright());
                return info;
            });
        RegisterEntryChooserViews(r);
        for (const EntrySample& sample : EntrySamples()) {
            r.Register(
                sample.name, [](ui::Form& form) -> QWidget* { return new EntryView(dynamic_cast<frmEntry&>(form)); },
                sample.make);
        }
        RegisterReportViews(r);
        RegisterMasterDataViews(r);
        return r;
    }();
    return registry;
}

void ViewRegistry::Register(const std::string& form_name, ViewFactory view, FormFactory sample) {
    entries_[form_name] = Entry{std::move(view), std::move(sample)};
}

QWidget* ViewRegistry::CreateView(ui::Form& form) const {
    auto it = entries_.find(form.Name());
    return it == entries_.end() ? nullptr : it->second.view(form);
}

std::unique_ptr<ui::Form> ViewRegistry::CreateSample(const std::string& form_name) const {
    auto it = entries_.find(form_name);
    return it == entries_.end() ? nullptr : it->second.sample();
}

std::vector<std::string> ViewRegistry::Names() const {
    std::vector<std::string> names;
    for (const auto& [name, entry] : entries_) names.push_back(name);
    return names;
}

}  // namespace tlx4r::qt
