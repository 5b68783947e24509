// The Camera Link serial libraries on POSIX systems: the folder named by CLSERIALPATH (else
// /usr/local/lib/cameralink) holds the libclser*.so files; libclserial.so and libclallserial.so
// are found by the loader's search order.
#include <dirent.h>
#include <fnmatch.h>

#include <algorithm>
#include <cstdlib>

#include "platform/ClSerialFiles.h"

namespace ClSerialFiles {

std::string SystemDirectory() {
    const char* directory = std::getenv("CLSERIALPATH");
    return directory != nullptr && directory[0] != '\0' ? directory : "/usr/local/lib/cameralink";
}

const char* Serial2000Pattern() {
    return "libclser*.so";
}

std::vector<std::string> FindSerial2000Libraries(const std::string& directory) {
    std::vector<std::string> names;
    DIR* folder = opendir(directory.c_str());
    if (folder == nullptr) {
        return names;
    }
    while (const dirent* entry = readdir(folder)) {
        if (fnmatch(Serial2000Pattern(), entry->d_name, 0) == 0) {
            names.emplace_back(entry->d_name);
        }
    }
    closedir(folder);
    // readdir's order is the file system's whim; sorted, the port indices stay put across runs.
    std::sort(names.begin(), names.end());
    return names;
}

std::string JoinPath(const std::string& directory, const std::string& fileName) {
    return directory + "/" + fileName;
}

const char* Serial2001Library() {
    return "libclserial.so";
}

const char* SerialV11Library() {
    return "libclallserial.so";
}

}  // namespace ClSerialFiles
