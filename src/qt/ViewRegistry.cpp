#include "qt/ViewRegistry.h"

#include "core/frmArchive.h"
#include "core/frmArchiveDelete.h"
#include "core/frmInfo.h"
#include "core/frmTransfer.h"
#include "core/modReporting.h"
#include "core/modStringLibrary.h"
#include "qt/ArchiveDeleteView.h"
#include "qt/ArchiveView.h"
#include "qt/DateRangeView.h"
#include "qt/EntryChooserViews.h"
#include "qt/EntrySamples.h"
#include "qt/EntryView.h"
#include "entries/frmEntry.h"
#include "qt/InfoView.h"
#include "qt/ReportViews.h"
#include "qt/MasterDataViews.h"
#include "qt/TransferView.h"
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
        r.Register(
            "frmTransfer", [](ui::Form& form) -> QWidget* { return new TransferView(dynamic_cast<frmTransfer&>(form)); },
            [] {
                // Half-way through a transfer up to a date, so that a screenshot shows the progress.
                auto transfer = std::make_unique<frmTransfer>();
                transfer->optTransferDatum.SetValue(true);
                transfer->dtpDatum.SetValue(Date::FromYmd(2024, 12, 31));
                transfer->ctlProgress.SetVisible(true);
                transfer->ctlProgress.SetValue(60);
                return transfer;
            });
        r.Register(
            "frmArchive", [](ui::Form& form) -> QWidget* { return new ArchiveView(dynamic_cast<frmArchive&>(form)); },
            [] {
                auto archive = std::make_unique<frmArchive>();
                archive->DateTo(Date::FromYmd(2023, 12, 31));
                archive->SetTypeStd();
                return archive;
            });
        r.Register(
            "frmArchiveDelete",
            [](ui::Form& form) -> QWidget* { return new ArchiveDeleteView(dynamic_cast<frmArchiveDelete&>(form)); },
            [] { return std::make_unique<frmArchiveDelete>(); });
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
