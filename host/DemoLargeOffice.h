#pragma once

#include "host/DemoData.h"
#include "types/Date.h"

#include <cstdint>
#include <string>

namespace tlx4r {

class HostInterface;
class Reporting;

// How big the large office is. The defaults are an office after twenty years: 1,000,000
// entries, 20,000 projects (each on its own client account), 5,000 clients, 50 persons.
struct LargeOfficeSize {
    int persons = 50;
    int clients = 5000;
    int projects = 20000;
    int entries = 1000000;
    int years = 20;
    Date last_day = Date::FromYmd(2026, 6, 30);
};

// Like DemoCreate, but an office of the given size, for measuring the component where it is
// slowest: the finance database with a client account per project, the reporting database with
// departments, project types, persons, clients, projects and entries of every record type spread
// over the years up to last_day (the older ones mostly archived). The rows are written in one
// transaction per file with prepared statements, below the component's objects, so a million
// entries take seconds; the same seed gives the same office byte for byte. Both files stay open
// in host and root. Throws DbError 3204 when one of the files exists already.
DemoFiles DemoCreateLarge(const std::string& folder, HostInterface& host, Reporting& root, std::uint32_t seed = 1,
                          const LargeOfficeSize& size = {});

}  // namespace tlx4r
