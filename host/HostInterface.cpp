#include "host/HostInterface.h"

#include "core/modReporting.h"
#include "host/HostDocuments.h"
#include "host/HostOptions.h"
#include "host/HostTrace.h"
#include "host/TariffCalculator.h"
#include "host/frmAccountChoose.h"

namespace tlx4r {

HostInterface::HostInterface(HostOptions& options, HostTrace& trace, HostDocuments& documents)
    : options_(options), trace_(trace), documents_(documents) {}

HostInterface::~HostInterface() {
    // No event: whoever listens may be gone already, and nobody can act on it any more.
    accounts_.reset();
    finance_.Close();
}

void HostInterface::CalculatorInstall() {
    CalculatorFactorySet([] { return std::make_unique<TariffCalculator>(); });
}

void HostInterface::DatabaseNew(const std::string& path) {
    DatabaseClose();
    tlx4r::FinanceDatabase::Create(path).Close();
    DatabaseOpen(path);
}

void HostInterface::DatabaseOpen(const std::string& path) {
    DatabaseClose();
    finance_ = tlx4r::FinanceDatabase::Open(path);
    accounts_ = std::make_unique<HostAccounts>(finance_);
    RaiseDatabaseOpended();
}

void HostInterface::DatabaseClose() {
    if (!finance_.IsOpen()) return;
    accounts_.reset();
    finance_.Close();
    RaiseDatabaseClosed();
}

std::string HostInterface::FinanceDatabasePath() const { return finance_.IsOpen() ? finance_.Path() : std::string(); }

db::Database* HostInterface::FinanceDatabase() { return finance_.IsOpen() ? &finance_.Database() : nullptr; }

std::string HostInterface::FinanceSettingGet(const std::string& name) const { return finance_.SettingGet(name); }

void HostInterface::FinanceSettingSet(const std::string& name, const std::string& value) {
    // While none is open the write is dropped: the component clears its link while the host
    // closes, and that must not unlink the reporting database stored with the file.
    if (finance_.IsOpen()) finance_.SettingSet(name, value);
}

frmAccountChoose& HostInterface::Chooser() {
    if (!chooser_) chooser_ = std::make_unique<frmAccountChoose>();
    return *chooser_;
}

std::shared_ptr<const hostapi::Account> HostInterface::AccountChoose(const std::string& caption,
                                                                     const std::string& preselection,
                                                                     std::optional<int> x, std::optional<int> y) {
    if (!accounts_) return nullptr;
    frmAccountChoose& chooser = Chooser();
    chooser.Load(accounts_->List(true), preselection);
    auto code = chooser.Choose(caption, x, y);
    if (!code) return nullptr;
    return accounts_->Find(*code);
}

bool HostInterface::OptionBoolean(const std::string& name) const { return options_.Boolean(name); }

std::string HostInterface::OptionText(const std::string& name) const { return options_.Text(name); }

void HostInterface::Trace(const std::string& source, const hostapi::TraceValues& values) {
    trace_.Write(source, values);
}

void HostInterface::DocumentOpen(const std::string& source, const hostapi::DocumentValues& values) {
    documents_.Open(source, values);
}

}  // namespace tlx4r
