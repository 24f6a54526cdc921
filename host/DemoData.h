#pragma once

#include <string>

namespace tlx4r {

class HostAccounts;
class HostInterface;
class Reporting;

// The demo: a small Swiss law and notary office with its finance database and the reporting
// database linked to it, for trying the programs out and for tests that want realistic data.
// One function per kind of data; each adds to what is open and assumes nothing else.

// Where DemoCreate put the two files.
struct DemoFiles {
    std::string finance;    // folder + "Kanzlei Muster 2024.tdb4f"
    std::string reporting;  // folder + "Kanzlei Muster Data.tdb4r"
};

// Creates, directly in folder (made when missing), the finance database and the reporting
// database, links them, and fills them with every kind of demo data. Afterwards both stay open
// in host and root; root must use host as its interface. Throws DbError 3204 when one of the
// files exists already, and the layer's or the component's error when a step fails.
DemoFiles DemoCreate(const std::string& folder, HostInterface& host, Reporting& root);

// The chart of accounts: the general ledger of a law office (headings at level 0, bookable
// accounts at level 1) and 36 client accounts ("1100.001" …), a few of them closed or marked to
// be deleted at the year's closing. Each client account that is created makes the component
// create its project, when a reporting database is open.
void AddDemoAccounts(HostAccounts& accounts);

}  // namespace tlx4r
