#pragma once

#include <cstdint>
#include <string>

#include "platform/DynamicLibrary.h"
#include "transport/ClSerialInterface.h"

class ProcessContext;

// What the three Camera Link serial adapters share: the loaded library, the serial reference
// and the four calls every generation has, with Write, Read and Close on them.
class ClSerialLink {
public:
    explicit ClSerialLink(ProcessContext& context) : context_(context) {}
    ~ClSerialLink() { Close(); }
    ClSerialLink(const ClSerialLink&) = delete;
    ClSerialLink& operator=(const ClSerialLink&) = delete;

    // Loads the library; the adapter then resolves its entry points in its own order. A library
    // loaded by bare name has the file the loader took written to the message log.
    bool Load(const std::string& name, bool byBareName);
    // Fills the entry point; false when the library lacks it (the library stays loaded).
    template <class Function>
    bool Resolve(const char* name, Function& entryPoint) {
        void* address = library_.Resolve(name);
        entryPoint = reinterpret_cast<Function>(address);
        if (address == nullptr) {
            failure_ = (loadedPath_.empty() ? loadedName_ : loadedPath_) +
                       ": the Camera Link entry point " + name + " is missing";
        }
        return address != nullptr;
    }
    const std::string& LoadedPath() const { return loadedPath_; }
    // Why the last Load or Resolve failed, for the operator: the file the system could not load
    // with its reason, and for a bare name where it was looked for; or the entry point missing.
    const std::string& Failure() const { return failure_; }

    // clSerialInit with the port index; true when it returned 0 and the port is now open.
    bool Init(int32_t portIndex);
    bool IsOpen() const { return open_; }
    void* Reference() const { return reference_; }

    bool Write(const char* bytes, int32_t count, int32_t timeoutMs);
    // The number of bytes read, 0 when none came in time, -1 when the port itself failed.
    int32_t Read(char* buffer, int32_t count, int32_t timeoutMs);
    // Closes the port when one is open, then unloads the library.
    void Close();

    ClSerialInitFunction serialInit = nullptr;
    ClSerialCloseFunction serialClose = nullptr;
    ClSerialReadFunction serialRead = nullptr;
    ClSerialWriteFunction serialWrite = nullptr;

private:
    ProcessContext& context_;
    DynamicLibrary library_;
    std::string loadedName_;
    std::string loadedPath_;
    std::string failure_;
    void* reference_ = nullptr;
    bool open_ = false;
};
