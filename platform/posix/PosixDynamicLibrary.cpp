// Run-time libraries on POSIX systems: dlopen, dlsym and dlclose.
#include <dlfcn.h>
#include <link.h>

#include <vector>

#include "platform/DynamicLibrary.h"

bool DynamicLibrary::Load(const std::string& name) {
    Unload();
    // RTLD_LOCAL keeps the entry points of one grabber library from answering for another's.
    handle_ = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        const char* error = dlerror();
        loadError_ = error != nullptr ? error : name + ": cannot be loaded";
        return false;
    }
    loadError_.clear();
    return true;
}

std::string DynamicLibrary::SearchedPlaces() {
    // The program's own search list: LD_LIBRARY_PATH, its run path and the system folders.
    std::string folders;
    void* program = dlopen(nullptr, RTLD_LAZY);
    Dl_serinfo size{};
    if (program != nullptr && dlinfo(program, RTLD_DI_SERINFOSIZE, &size) == 0) {
        std::vector<char> buffer(size.dls_size);
        Dl_serinfo* info = reinterpret_cast<Dl_serinfo*>(buffer.data());
        if (dlinfo(program, RTLD_DI_SERINFOSIZE, info) == 0 &&
            dlinfo(program, RTLD_DI_SERINFO, info) == 0) {
            for (unsigned i = 0; i < info->dls_cnt; ++i) {
                folders +=
                    (folders.empty() ? "" : ":") + std::string(info->dls_serpath[i].dls_name);
            }
        }
    }
    if (program != nullptr) {
        dlclose(program);
    }
    // The loader's cache lists the libraries of the folders in ld.so.conf too.
    return (folders.empty() ? std::string() : folders + " and ") +
           "the folders of /etc/ld.so.conf (ldconfig)";
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
