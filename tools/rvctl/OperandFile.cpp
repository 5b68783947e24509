#include "tools/rvctl/OperandFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>

#include "platform/FileAccess.h"

namespace OperandFile {

namespace {

// One run of rvctl per process reads its operands here; the cameras' threads only look.
struct Store {
    std::mutex mutex;
    std::map<std::string, std::string> contents;
};

Store& TheStore() {
    static Store store;
    return store;
}

}  // namespace

std::string Read(const std::string& path) {
    const bool standardInput = path == "-";
    std::FILE* file = standardInput ? stdin : FileAccess::Open(path, "rb");
    if (file == nullptr) {
        return "cannot read " + path + ": " + std::strerror(errno);
    }
    std::string bytes;
    char buffer[65536];
    for (std::size_t got;
         bytes.size() <= kMaxBytes && (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
        bytes.append(buffer, got);
    }
    if (!standardInput) {
        std::fclose(file);
    }
    if (bytes.size() > kMaxBytes) {
        return "cannot read " + path + ": larger than " +
               std::to_string(kMaxBytes / (1024 * 1024)) +
               " MiB, which no settings or gamma data file is";
    }
    Store& store = TheStore();
    std::lock_guard<std::mutex> hold(store.mutex);
    store.contents[path] = std::move(bytes);
    return std::string();
}

const std::string& Contents(const std::string& path) {
    static const std::string kNone;
    Store& store = TheStore();
    std::lock_guard<std::mutex> hold(store.mutex);
    const auto found = store.contents.find(path);
    return found == store.contents.end() ? kNone : found->second;
}

}  // namespace OperandFile
