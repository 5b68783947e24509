#pragma once

#include <string>

// A library loaded at run time. One backend file per system implements it (dlopen on POSIX,
// LoadLibraryA on Windows).
class DynamicLibrary {
public:
    DynamicLibrary() = default;
    ~DynamicLibrary() { Unload(); }
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    // Loads by path, or by bare name through the system's library search order. Unloads what
    // was loaded before.
    bool Load(const std::string& name);
    // Why the last Load failed, as the system says it, naming the file; empty after one that
    // succeeded.
    const std::string& LoadError() const { return loadError_; }
    // Where the system looks for a library loaded by bare name, in its order, for the operator.
    static std::string SearchedPlaces();
    bool IsLoaded() const { return handle_ != nullptr; }
    // Address of the exported name; null when the library lacks it or none is loaded.
    void* Resolve(const char* name) const;
    // The file the loader took, so that a bare-name load shows which library answered.
    std::string Path() const;
    void Unload();

private:
    void* handle_ = nullptr;
    std::string loadError_;
};
