#include <unistd.h>

#include "platform/FileAccess.h"

namespace FileAccess {

std::FILE* Open(const std::string& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

bool SyncToDisk(std::FILE* file) {
    return fsync(fileno(file)) == 0;
}

std::size_t LastSeparator(const std::string& path) {
    return path.find_last_of('/');
}

}  // namespace FileAccess
