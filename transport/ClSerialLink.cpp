#include "transport/ClSerialLink.h"

#include <vector>

#include "core/LogSinks.h"
#include "core/ProcessContext.h"

bool ClSerialLink::Load(const std::string& name, bool byBareName) {
    loadedName_ = name;
    if (!library_.Load(name)) {
        loadedPath_.clear();
        failure_ = library_.LoadError();
        if (byBareName) {
            failure_ += "\nSearched: " + DynamicLibrary::SearchedPlaces();
        }
        return false;
    }
    failure_.clear();
    loadedPath_ = library_.Path();
    if (byBareName) {
        // A library earlier in the search path may answer in place of the grabber maker's.
        context_.Get<MessageLogSink>().Add("Camera Link library: " +
                                           (loadedPath_.empty() ? name : loadedPath_));
    }
    return true;
}

bool ClSerialLink::Init(int32_t portIndex) {
    if (!library_.IsLoaded() || serialInit == nullptr || portIndex < 0) {
        return false;
    }
    void* reference = nullptr;
    if (serialInit(static_cast<uint32_t>(portIndex), &reference) != 0) {
        return false;
    }
    reference_ = reference;
    open_ = true;
    return true;
}

bool ClSerialLink::Write(const char* bytes, int32_t count, int32_t timeoutMs) {
    if (!open_ || count < 0) {
        return false;
    }
    // The interface takes a writable buffer although it only reads it.
    std::vector<char> buffer(bytes, bytes + count);
    uint32_t byteCount = static_cast<uint32_t>(count);
    return serialWrite(reference_, buffer.data(), &byteCount, static_cast<uint32_t>(timeoutMs)) ==
           0;
}

int32_t ClSerialLink::Read(char* buffer, int32_t count, int32_t timeoutMs) {
    if (!open_ || count <= 0) {
        return 0;
    }
    uint32_t byteCount = static_cast<uint32_t>(count);
    const int32_t result =
        serialRead(reference_, buffer, &byteCount, static_cast<uint32_t>(timeoutMs));
    if (result == kClErrorTimeout) {
        return 0;
    }
    if (result != 0) {
        return -1;
    }
    // A library that claims more than was asked for must not make the caller overrun.
    return static_cast<int32_t>(byteCount < static_cast<uint32_t>(count) ? byteCount : count);
}

void ClSerialLink::Close() {
    if (open_) {
        serialClose(reference_);
        open_ = false;
        reference_ = nullptr;
    }
    library_.Unload();
    loadedPath_.clear();
}
