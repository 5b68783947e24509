// Run-time libraries on Windows: LoadLibraryA, GetProcAddress and FreeLibrary.
#include <windows.h>

#include <cstdlib>

#include "platform/DynamicLibrary.h"
#include "platform/win32/Win32ErrorText.h"

namespace {

// The folder of a file path; the path itself when it names none.
std::string FolderOf(const std::string& path) {
    const std::size_t last = path.find_last_of("\\/");
    return last == std::string::npos ? path : path.substr(0, last);
}

}  // namespace

bool DynamicLibrary::Load(const std::string& name) {
    Unload();
    handle_ = reinterpret_cast<void*>(LoadLibraryA(name.c_str()));
    if (handle_ == nullptr) {
        loadError_ = name + ": " + Win32ErrorText(GetLastError());
        return false;
    }
    loadError_.clear();
    return true;
}

std::string DynamicLibrary::SearchedPlaces() {
    // The standard search order of LoadLibraryA: the program's folder, the system folders, the
    // working folder, then PATH.
    char buffer[MAX_PATH + 1] = {};
    std::string places;
    const auto add = [&places](const std::string& folder) {
        if (!folder.empty()) {
            places += (places.empty() ? "" : ";") + folder;
        }
    };
    if (GetModuleFileNameA(nullptr, buffer, MAX_PATH) > 0) {
        add(FolderOf(buffer));
    }
    if (GetSystemDirectoryA(buffer, MAX_PATH) > 0) {
        add(buffer);
    }
    if (GetWindowsDirectoryA(buffer, MAX_PATH) > 0) {
        add(std::string(buffer) + "\\System");
        add(buffer);
    }
    if (GetCurrentDirectoryA(MAX_PATH, buffer) > 0) {
        add(buffer);
    }
    if (const char* path = std::getenv("PATH")) {
        add(path);
    }
    return places;
}

void* DynamicLibrary::Resolve(const char* name) const {
    if (handle_ == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
}

std::string DynamicLibrary::Path() const {
    char path[MAX_PATH + 1] = {};
    if (handle_ == nullptr ||
        GetModuleFileNameA(static_cast<HMODULE>(handle_), path, MAX_PATH) == 0) {
        return std::string();
    }
    return path;
}

void DynamicLibrary::Unload() {
    if (handle_ != nullptr) {
        FreeLibrary(static_cast<HMODULE>(handle_));
        handle_ = nullptr;
    }
}
