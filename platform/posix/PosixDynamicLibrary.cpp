// Run-time libraries on POSIX systems: dlopen, dlsym and dlclose.
#include <dlfcn.h>
#include <link.h>

#include "transport/DynamicLibrary.h"

bool DynamicLibrary::Load(const std::string& name) {
    Unload();
    // RTLD_LOCAL keeps the entry points of one grabber library from answering for another's.
    handle_ = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
    return handle_ != nullptr;
}

void* DynamicLibrary::Resolve(const char* name) const {
    return handle_ != nullptr ? dlsym(handle_, name) : nullptr;
}

std::string DynamicLibrary::Path() const {
    link_map* map = nullptr;
    if (handle_ == nullptr || dlinfo(handle_, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr ||
        map->l_name == nullptr) {
        return std::string();
    }
    return map->l_name;
}

void DynamicLibrary::Unload() {
    if (handle_ != nullptr) {
        dlclose(handle_);
        handle_ = nullptr;
    }
}
