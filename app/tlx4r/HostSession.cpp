#include "HostSession.h"

#include "db/PgName.h"

#include <exception>
#include <filesystem>
#include <iostream>

namespace tlx4r::cli {

std::string Full(const std::string& path) {
    if (db::PgName::IsServerName(path)) return path;
    std::error_code ec;
    auto full = std::filesystem::absolute(path, ec);
    return ec ? path : full.lexically_normal().string();
}

std::optional<DatabaseArgs> ParseDatabaseArgs(const std::string& command, const std::vector<std::string>& args,
                                              bool finance_allowed, bool full_allowed) {
    DatabaseArgs out;
    bool have_file = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--finance" && finance_allowed) {
            if (i + 1 == args.size()) {
                std::cerr << "tlx4r " << command << ": --finance needs the finance database's path\n";
                return std::nullopt;
            }
            out.finance = Full(args[++i]);
        } else if (a == "--full" && full_allowed) {
            out.full = true;
        } else if (a.rfind("--", 0) == 0 || have_file) {
            std::cerr << "tlx4r " << command << ": unexpected argument '" << a << "'\n";
            return std::nullopt;
        } else {
            out.reporting = Full(a);
            have_file = true;
        }
    }
    if (!have_file || out.reporting.empty()) {
        std::cerr << "tlx4r " << command << ": the reporting database is missing\n";
        return std::nullopt;
    }
    return out;
}

HostSession::HostSession() : host_(options_, trace_, documents_) {
    HostInterface::CalculatorInstall();
    root_ = std::make_unique<Reporting>();
    root_->SetInterface(&host_);
}

HostSession::~HostSession() {
    // The component first: it closes the reporting database while the finance file it links
    // to is still there, and it stops listening before the host shuts its file.
    root_.reset();
    host_.DatabaseClose();
}

bool HostSession::Open(const DatabaseArgs& args) {
    if (args.finance) {
        try {
            host_.DatabaseOpen(*args.finance);
        } catch (const std::exception& e) {
            std::cerr << "Kann Finanzbuchhaltung nicht öffnen!\n" << *args.finance << "\n" << e.what() << "\n";
            return false;
        }
    }
    root_->DatabaseOpen(args.reporting);
    return root_->Database() != nullptr;
}

}  // namespace tlx4r::cli
