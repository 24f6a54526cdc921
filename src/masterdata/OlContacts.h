#pragma once

#include "masterdata/modOlContacts.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tlx4r {

class frmOlContacts;

// The contacts the client editor can take a client's address from: the cards of a vCard
// source, one ".vcf" file or a folder of them, which each user names (option "ContactsSource"
// of section "Options"). The root object keeps one instance for the process (goOlContacts).
//
// "Logon" opens the source, "Load" reads all its cards into a list sorted by their file-as
// names; the list is kept until Refresh or Clear.
class OlContacts {
public:
    static constexpr const char* kOptionSource = "ContactsSource";
    static constexpr const char* kNotActiveCaption = "Kontakt Adresse holen";
    static constexpr const char* kNotActiveMessage =
        "Zuerst muss eine Kontaktdatei (vCard) oder ein Ordner mit Kontaktdateien gewählt werden!";

    OlContacts();
    ~OlContacts();
    OlContacts(const OlContacts&) = delete;
    OlContacts& operator=(const OlContacts&) = delete;

    // Registers this instance as the process's contact reader (goOlContacts); Tini releases
    // that registration.
    void Init();
    void Tini() noexcept;

    // The vCard file or folder: the one given by SetSource, else the user's option; "" none.
    std::string Source() const;
    // Uses source from now on; with store it becomes the user's option as well (when there is
    // a root object). Clears the loaded list.
    void SetSource(const std::string& source, bool store = true);
    // Lets the user choose a vCard file and, when its folder holds more of them, whether the
    // whole folder is the source. True when a source was chosen (and stored).
    bool SourceChoose();
    // The same choice starting from current, without storing it: the chosen file or folder,
    // nullopt when the user cancels.
    static std::optional<std::string> AskSource(const std::string& current);

    // True when the source exists and can be read.
    bool Active() const;
    // Opens the source (lists its files); Logoff forgets them.
    void Logon();
    void Logoff() noexcept;
    bool LoggedOn() const { return logged_on_; }

    int Count() const { return static_cast<int>(contacts_.size()); }
    // The file-as name of contact index (1-based); "" outside the list.
    std::string FileAs(int index) const;
    // Contact index (1-based) when loaded; nullopt otherwise.
    std::optional<OlContact> Item(int index) const;
    // Company, full name and mailing address of contact index, non-empty lines joined by CR LF.
    std::string Address(int index) const;

    void Refresh();
    void Clear();
    // Logs on when needed and reads every card of the source.
    void Load();
    void AssertLoaded();
    bool Loaded() const { return loaded_; }
    // The cards the last Load could not read, and how many group cards it left out.
    const std::vector<VCardProblem>& Problems() const { return problems_; }
    std::size_t Groups() const { return groups_; }

    // Shows the contact list; the chosen index, 0 when cancelled.
    int Choose();
    frmOlContacts& ChooseForm();

private:
    std::optional<std::string> source_;
    bool logged_on_ = false;
    bool loaded_ = false;
    std::vector<OlContact> contacts_;
    std::vector<VCardProblem> problems_;
    std::size_t groups_ = 0;
    std::unique_ptr<frmOlContacts> form_;
};

}  // namespace tlx4r
