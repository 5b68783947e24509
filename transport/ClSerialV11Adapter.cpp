#include "transport/ClSerialV11Adapter.h"

#include "core/Notifier.h"
#include "core/ProcessContext.h"
#include "platform/ClSerialFiles.h"

ClSerialV11Adapter::ClSerialV11Adapter(ProcessContext& context)
    : context_(context), library_(context) {}

ClSerialV11Adapter::~ClSerialV11Adapter() {
    Close();
}

bool ClSerialV11Adapter::Load(Library& library) {
    ClSerialLink& link = library.link;
    return link.Load(ClSerialFiles::SerialV11Library(), true) &&
           link.Resolve("clSerialInit", link.serialInit) &&
           link.Resolve("clSerialClose", link.serialClose) &&
           link.Resolve("clSetBaudRate", library.setBaudRate) &&
           link.Resolve("clSerialRead", link.serialRead) &&
           link.Resolve("clSerialWrite", link.serialWrite) &&
           link.Resolve("clFlushPort", library.flushPort) &&
           link.Resolve("clGetErrorText", library.getErrorText) &&
           link.Resolve("clGetNumPorts", library.getNumPorts) &&
           link.Resolve("clGetNumBytesAvail", library.getNumBytesAvail) &&
           link.Resolve("clGetPortInfo", library.getPortInfo) &&
           link.Resolve("clGetSupportedBaudRates", library.getSupportedBaudRates);
}

int32_t ClSerialV11Adapter::GetPortCount() {
    names_.clear();
    // A library of its own, so that an open port stays usable while the list is made.
    Library listing(context_);
    if (!Load(listing)) {
        return 0;
    }
    uint32_t count = 0;
    listing.getNumPorts(&count);
    for (uint32_t index = 0; index < count; ++index) {
        char manufacturer[kClTextBufferSize] = {};
        char portId[kClTextBufferSize] = {};
        uint32_t manufacturerSize = kClTextBufferSize;
        uint32_t portIdSize = kClTextBufferSize;
        uint32_t version = 0;
        listing.getPortInfo(index, manufacturer, &manufacturerSize, portId, &portIdSize, &version);
        manufacturer[kClTextBufferSize - 1] = '\0';
        portId[kClTextBufferSize - 1] = '\0';
        names_.push_back(std::string(manufacturer) + " - " + portId);
    }
    return static_cast<int32_t>(names_.size());
}

bool ClSerialV11Adapter::Open(int32_t index) {
    Close();
    openIndex_ = index;
    openFailure_.clear();
    if (!Load(library_)) {
        openFailure_ = library_.link.Failure();
        return false;
    }
    return library_.link.Init(index);
}

bool ClSerialV11Adapter::SetBaudRate(int32_t baudRate) {
    if (!library_.link.IsOpen()) {
        return false;
    }
    if (SetSupportedBaudRate(library_.link, library_.getSupportedBaudRates, library_.setBaudRate,
                             baudRate)) {
        return true;
    }
    // The port's display name when a listing named it, else the library that answered.
    std::string port = GetPortName(openIndex_);
    if (port.empty()) {
        port = library_.link.LoadedPath();
    }
    context_.Get<Notifier>().Warn("Selected baud rate is not supported in " + port + ".");
    return false;
}
