#include "masterdata/OlContacts.h"

#include "core/ProgOption.h"
#include "core/Reporting.h"
#include "core/modReporting.h"
#include "core/modStringLibrary.h"
#include "masterdata/frmOlContacts.h"
#include "ui/Ui.h"

#include <filesystem>
#include <fstream>

namespace tlx4r {

OlContacts::OlContacts() { Clear(); }

OlContacts::~OlContacts() {
    Tini();
    Clear();
    Logoff();
}

void OlContacts::Init() { goOlContacts = this; }

void OlContacts::Tini() noexcept {
    if (goOlContacts == this) goOlContacts = nullptr;
}

std::string OlContacts::Source() const {
    if (source_) return *source_;
    if (goReporting == nullptr || goReporting->ProgOption() == nullptr) return {};
    try {
        return NullToString(goReporting->ProgOption()->CurrentUser(ProgOption::kSectionOptions, kOptionSource,
                                                                   db::Value(std::string())));
    } catch (const std::exception&) {
        return {};  // an unreadable option is no source
    }
}

void OlContacts::SetSource(const std::string& source, bool store) {
    source_ = source;
    if (store && goReporting != nullptr && goReporting->ProgOption() != nullptr)
        goReporting->ProgOption()->CurrentUserSet(ProgOption::kSectionOptions, kOptionSource, db::Value(source));
    Clear();
    Logoff();
}

std::optional<std::string> OlContacts::AskSource(const std::string& current) {
    ui::FileDialogRequest request;
    request.title = "Kontakte (vCard) wählen";
    request.filters = {{"vCard (*.vcf)", "*.vcf"}, {"Alle (*.*)", "*.*"}};
    request.default_ext = ".vcf";
    std::error_code ec;
    if (std::filesystem::is_directory(current, ec)) {
        request.initial_dir = current;
    } else if (!current.empty()) {
        request.initial_dir = PathOf(current);
        request.file_name = FileNameOf(current);
    }
    request.must_exist = true;
    const auto chosen = ui::Current().FileDialog(request);
    if (!chosen) return std::nullopt;
    const std::string folder = std::filesystem::path(*chosen).parent_path().string();
    if (!folder.empty() && VCardFiles(folder).size() > 1 &&
        ui::MsgBox("Alle Kontaktdateien (*.vcf) im Ordner" + std::string("\r\n") + folder + "\r\n" + "verwenden?",
                   ui::Buttons::YesNo, ui::Icon::Question, kNotActiveCaption) == ui::Answer::Yes)
        return folder;
    return chosen;
}

bool OlContacts::SourceChoose() {
    const auto source = AskSource(Source());
    if (!source) return false;
    SetSource(*source);
    return true;
}

bool OlContacts::Active() const {
    const std::vector<std::string> files = VCardFiles(Source());
    if (files.empty()) {
        // An empty folder is a source that can be read; it just has no contacts yet.
        std::error_code ec;
        return !Source().empty() && std::filesystem::is_directory(Source(), ec);
    }
    std::ifstream probe(files.front(), std::ios::binary);
    return static_cast<bool>(probe);
}

void OlContacts::Logon() { logged_on_ = Active(); }

void OlContacts::Logoff() noexcept { logged_on_ = false; }

std::string OlContacts::FileAs(int index) const {
    if (index < 1 || index > Count()) return {};
    return contacts_[static_cast<std::size_t>(index - 1)].FileAs;
}

std::optional<OlContact> OlContacts::Item(int index) const {
    if (!loaded_ || index < 1 || index > Count()) return std::nullopt;
    return contacts_[static_cast<std::size_t>(index - 1)];
}

std::string OlContacts::Address(int index) const {
    const auto c = Item(index);
    if (!c) return {};
    std::string out;
    for (const std::string& part : {c->CompanyName, c->FullName, c->MailingAddress()}) {
        const std::string t = Trim(part);
        if (t.empty()) continue;
        if (!out.empty()) out += "\r\n";
        out += t;
    }
    return out;
}

void OlContacts::Refresh() {
    Clear();
    Load();
}

void OlContacts::Clear() {
    contacts_.clear();
    contacts_.reserve(1000);
    problems_.clear();
    groups_ = 0;
    loaded_ = false;
}

void OlContacts::Load() {
    if (!logged_on_) Logon();
    VCardResult read = VCardReadSource(Source());
    contacts_ = std::move(read.contacts);
    problems_ = std::move(read.problems);
    groups_ = read.groups;
    loaded_ = true;
}

void OlContacts::AssertLoaded() {
    if (!loaded_) Refresh();
}

frmOlContacts& OlContacts::ChooseForm() {
    if (!form_) form_ = std::make_unique<frmOlContacts>(*this);
    return *form_;
}

int OlContacts::Choose() { return ChooseForm().Choose(); }

}  // namespace tlx4r
