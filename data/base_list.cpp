#include "data/base_list.h"

#include "data/file_io.h"
#include "data/program_folder.h"
#include "data/result_codes.h"
#include "data/settings.h"

namespace vellmora {

std::string dataPath(std::string_view folder, std::string_view name) {
    return joinPath(folder, name);
}

int loadBaseList(std::string_view folder, BaseList& out) {
    out = BaseList{};
    std::string listPath = dataPath(folder, kBaseListName);
    if (!pathExists(listPath)) {
        return kMissingFile;
    }
    Settings settings;
    int result = settings.load(listPath);
    if (result == kUnreadable && settings.filePath().empty()) {
        return kMissingFile;  // present but not readable at all
    }
    auto pathOf = [&](std::string_view key) {
        const std::string* value = settings.get("data", key);
        if (value == nullptr || value->empty()) {
            return std::string();
        }
        return dataPath(folder, "zdt\\" + *value);
    };
    out.rate = pathOf("rate");
    out.price = pathOf("price");
    out.blddata = pathOf("blddata");
    out.ai = pathOf("ai");
    return kOk;
}

}  // namespace vellmora
