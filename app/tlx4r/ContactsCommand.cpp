#include "Command.h"
#include "masterdata/modOlContacts.h"

#include <filesystem>
#include <iostream>

namespace tlx4r::cli {

namespace {

// Tabs and line breaks would break the columns; inside a value they become blanks.
std::string Cell(std::string text) {
    for (char& c : text) {
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    }
    return text;
}

}  // namespace

// Lists the contacts of a vCard file or folder as the client editor sees them: index, file-as
// name and the client fields, tab-separated, in file-as order. Cards that cannot be read go to
// standard error with their file and line.
int RunContacts(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::cerr << "usage: tlx4r contacts FILE|DIR\n";
        return 2;
    }
    std::error_code ec;
    if (!std::filesystem::exists(args[0], ec)) {
        std::cerr << "tlx4r contacts: " << args[0] << " does not exist\n";
        return 1;
    }
    const VCardResult read = VCardReadSource(args[0]);
    std::cout << "Index\tFileAs\tKeyName\tCompany\tTitle\tFirstName\tLastName\tAddress1\tAddress2\tZipCode\tCity\t"
                 "Country\tFone\tFax\tEmail\tHomepage\n";
    int index = 0;
    for (const OlContact& c : read.contacts) {
        std::cout << ++index;
        for (const std::string* field :
             {&c.FileAs, &c.FileAs, &c.CompanyName, &c.Title, &c.FirstName, &c.LastName, &c.BusinessAddressStreet,
              &c.BusinessAddressPostOfficeBox, &c.MailingAddressPostalCode, &c.MailingAddressCity,
              &c.MailingAddressCountry, &c.BusinessTelephoneNumber, &c.BusinessFaxNumber, &c.Email1Address,
              &c.WebPage})
            std::cout << '\t' << Cell(*field);
        std::cout << '\n';
    }
    for (const VCardProblem& p : read.problems)
        std::cerr << p.file << ":" << p.line << ": card skipped: " << p.reason << "\n";
    return read.problems.empty() ? 0 : 1;
}

}  // namespace tlx4r::cli
