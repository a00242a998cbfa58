#include "core/shell/documents_path.h"

std::string DocumentsFilePath(const std::string& folder, const std::string& fileName) {
    if (fileName.empty())
        return {};
    return folder + "/" + fileName;
}
