#pragma once

#include <string>
#include <vector>

namespace tlx4r::cli {

// One sub-command of the tlx4r program. run gets the arguments after the command's name and
// returns the exit code; it reports failures on stderr.
struct Command {
    const char* name;
    const char* usage;    // the arguments, e.g. "FILE \"STATEMENT\""
    const char* summary;  // one line for the help text
    int (*run)(const std::vector<std::string>& args);
};

// Every command of the program, in the order the help text lists them.
const std::vector<Command>& Commands();

int RunDemoRules(const std::vector<std::string>& args);
int RunSql(const std::vector<std::string>& args);
int RunNew(const std::vector<std::string>& args);
int RunOpen(const std::vector<std::string>& args);
int RunVerify(const std::vector<std::string>& args);
int RunCompact(const std::vector<std::string>& args);
int RunConvert(const std::vector<std::string>& args);
int RunDemo(const std::vector<std::string>& args);
int RunLookup(const std::vector<std::string>& args);
int RunProjects(const std::vector<std::string>& args);
int RunClients(const std::vector<std::string>& args);
int RunEntries(const std::vector<std::string>& args);
int RunExport(const std::vector<std::string>& args);
int RunPlay(const std::vector<std::string>& args);
int RunReport(const std::vector<std::string>& args);
int RunContacts(const std::vector<std::string>& args);
int RunVat(const std::vector<std::string>& args);
int RunTransfer(const std::vector<std::string>& args);
int RunArchive(const std::vector<std::string>& args);
int RunArchiveDelete(const std::vector<std::string>& args);
int RunBackup(const std::vector<std::string>& args);
int RunCheck(const std::vector<std::string>& args);
int RunMigrate(const std::vector<std::string>& args);

}  // namespace tlx4r::cli
