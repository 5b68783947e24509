// Run-time libraries on Windows: LoadLibraryA, GetProcAddress and FreeLibrary.
#include <windows.h>

#include "transport/DynamicLibrary.h"

bool DynamicLibrary::Load(const std::string& name) {
    Unload();
    handle_ = reinterpret_cast<void*>(LoadLibraryA(name.c_str()));
    return handle_ != nullptr;
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
