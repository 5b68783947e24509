#include <io.h>

#include <filesystem>
#include <string>

#include "platform/FileAccess.h"

namespace FileAccess {

std::FILE* Open(const std::string& path, const char* mode) {
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(std::filesystem::u8path(path).c_str(), wideMode.c_str());
}

bool SyncToDisk(std::FILE* file) {
    return _commit(_fileno(file)) == 0;
}

std::size_t LastSeparator(const std::string& path) {
    return path.find_last_of("\\/");
}

}  // namespace FileAccess
