#include "modPathGet.h"

#include "core/modStringLibrary.h"
#include "db/PgName.h"
#include "platform/Folders.h"

#include <vector>

namespace tlx4r {

std::string DocumentsFolderGet() {
    using platform::EnvironmentValue;
    std::vector<std::string> candidates;
    auto add = [&](const std::optional<std::string>& v, const std::string& suffix = "") {
        if (v && !v->empty()) candidates.push_back(*v + suffix);
    };
    add(EnvironmentValue("KELVORA_DEBUG"));
    add(platform::XdgDocumentsDir());
    add(EnvironmentValue("HOME"), "/Documents");
    add(EnvironmentValue("TMPDIR"));
    candidates.emplace_back("/tmp");
    for (const auto& folder : candidates) {
        if (platform::IsWritableFolder(folder)) return folder;
    }
    return "/tmp";
}

std::string DatabaseFolderGet(const std::string& database) {
    if (!db::PgName::IsServerName(database)) return PathOf(database);
    return DocumentsFolderGet() + "/tlx4r/" + db::PgName(database).FolderName() + "/";
}

}  // namespace tlx4r
