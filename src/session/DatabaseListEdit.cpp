#include "DatabaseListEdit.h"

#include "common/FileLock.h"

namespace kestrova {

DatabaseListEdit editDatabaseList(const std::filesystem::path& directory,
                                  const std::function<std::string(DatabaseList&)>& change) {
    DatabaseListEdit edit;
    const FileLock lock(DatabaseList::lockTarget(directory));
    if (!lock.locked()) {
        edit.problem = lock.error() + "; nothing changed";
        return edit;
    }
    std::string problem;
    DatabaseList list = DatabaseList::load(directory, &problem);
    if (!problem.empty()) {
        edit.problem = problem + "; nothing changed";
        return edit;
    }
    edit.problem = change(list);
    if (!edit.problem.empty())
        return edit;
    edit.saved = list.save(directory, &edit.problem);
    edit.size = list.size();
    return edit;
}

}  // namespace kestrova
