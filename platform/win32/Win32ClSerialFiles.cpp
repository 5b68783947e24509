// The Camera Link serial libraries on Windows: clser*.dll in the system directory, and
// clserial.dll and clallserial.dll through the system's library search order.
#include <windows.h>

#include "platform/ClSerialFiles.h"

namespace ClSerialFiles {

std::string SystemDirectory() {
    char directory[1024] = {};
    const UINT length = GetSystemDirectoryA(directory, sizeof directory);
    return length > 0 && length < sizeof directory ? directory : std::string();
}

const char* Serial2000Pattern() {
    return "clser*.dll";
}

std::vector<std::string> FindSerial2000Libraries(const std::string& directory) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(JoinPath(directory, Serial2000Pattern()).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        names.emplace_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

std::string JoinPath(const std::string& directory, const std::string& fileName) {
    return directory + "\\" + fileName;
}

const char* Serial2001Library() {
    return "clserial.dll";
}

const char* SerialV11Library() {
    return "clallserial.dll";
}

}  // namespace ClSerialFiles
