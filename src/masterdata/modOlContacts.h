#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Reading contacts from vCard files (versions 2.1, 3.0 and 4.0), the address book format every
// desktop mail client and address book exports. The names of the mapped properties are those
// the client editor takes a contact's data by.
namespace tlx4r {

// One contact as the client editor takes it.
struct OlContact {
    std::string FileAs;  // the name it is listed and sorted by
    std::string FullName;
    std::string CompanyName;
    std::string Title;
    std::string FirstName;
    std::string LastName;
    std::string BusinessAddressStreet;
    std::string BusinessAddressPostOfficeBox;
    std::string MailingAddressPostalCode;
    std::string MailingAddressCity;
    std::string MailingAddressCountry;
    std::string BusinessTelephoneNumber;
    std::string BusinessFaxNumber;
    std::string Email1Address;
    std::string WebPage;

    // Street, post-office box, postal code and city, country: the non-empty lines joined with
    // CR LF.
    std::string MailingAddress() const;
};

// A card that could not be read: the file, the line its BEGIN:VCARD stands on and why.
struct VCardProblem {
    std::string file;
    std::size_t line = 0;
    std::string reason;
};

struct VCardResult {
    std::vector<OlContact> contacts;      // in the order of the files
    std::vector<VCardProblem> problems;   // cards skipped because they cannot be read
    std::size_t groups = 0;               // group cards (distribution lists), left out
    std::size_t nameless = 0;             // cards without any name, left out
};

// Reads every card of text (the content of file, named in problems). A card without its
// END:VCARD, or with a line that is no property, is skipped and counted in problems; a group
// card and a card without a name are left out. Never throws for what the text contains.
void VCardRead(std::string_view text, const std::string& file, VCardResult& result);

// The vCard files of source: the file itself, or the ".vcf" files of a folder (not its
// sub-folders) in name order. Empty when source is neither.
std::vector<std::string> VCardFiles(const std::string& source);

// Reads every file of source (VCardRead) and sorts the contacts by FileAs with the text
// collation of the database. A file that cannot be opened counts as a problem.
VCardResult VCardReadSource(const std::string& source);

}  // namespace tlx4r
