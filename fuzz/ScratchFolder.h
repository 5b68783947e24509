#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

// A private folder for the files a harness reads, in memory (/dev/shm) where there is one, so
// that a run costs no disk writes. Removed when the harness ends normally.
inline const std::string& ScratchFolder() {
    static const std::string folder = [] {
        std::string pattern =
            std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + "/rvfuzz-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            abort();
        }
        return pattern;
    }();
    static const bool cleanup = [] {
        return atexit([] {
                   std::error_code error;
                   std::filesystem::remove_all(ScratchFolder(), error);
               }) == 0;
    }();
    static_cast<void>(cleanup);
    return folder;
}
