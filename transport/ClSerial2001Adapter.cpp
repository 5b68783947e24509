#include "transport/ClSerial2001Adapter.h"

#include "core/Notifier.h"
#include "core/ProcessContext.h"
#include "platform/ClSerialFiles.h"

ClSerial2001Adapter::ClSerial2001Adapter(ProcessContext& context)
    : context_(context), library_(context) {}

ClSerial2001Adapter::~ClSerial2001Adapter() {
    Close();
}

bool ClSerial2001Adapter::Load(Library& library) {
    ClSerialLink& link = library.link;
    return link.Load(ClSerialFiles::Serial2001Library(), true) &&
           link.Resolve("clGetManufacturer", library.getManufacturer) &&
           link.Resolve("clGetNumManufacturers", library.getNumManufacturers) &&
           link.Resolve("clSelectManufacturer", library.selectManufacturer) &&
           link.Resolve("clGetNumSerialPorts", library.getNumSerialPorts) &&
           link.Resolve("clGetSerialPortIdentifier", library.getSerialPortIdentifier) &&
           link.Resolve("clSerialInit", link.serialInit) &&
           link.Resolve("clSerialClose", link.serialClose) &&
           link.Resolve("clSerialRead", link.serialRead) &&
           link.Resolve("clSerialWrite", link.serialWrite) &&
           link.Resolve("clGetSupportedBaudRates", library.getSupportedBaudRates) &&
           link.Resolve("clSetBaudRate", library.setBaudRate) &&
           link.Resolve("clGetErrorText", library.getErrorText);
}

int32_t ClSerial2001Adapter::GetPortCount() {
    // A library of its own, so that an open port stays usable while the list is made.
    Library listing(context_);
    if (!Load(listing)) {
        return static_cast<int32_t>(names_.size());
    }
    names_.clear();
    uint32_t count = 0;
    listing.getNumManufacturers(&count);
    for (uint32_t index = 0; index < count; ++index) {
        char name[kClTextBufferSize] = {};
        uint32_t size = kClTextBufferSize;
        uint32_t version = 0;
        listing.getManufacturer(index, name, &size, &version);
        name[kClTextBufferSize - 1] = '\0';
        names_.emplace_back(name);
    }
    return static_cast<int32_t>(names_.size());
}

bool ClSerial2001Adapter::Open(int32_t index) {
    Close();
    openFailure_.clear();
    if (names_.empty()) {
        // The stored port reopened at start-up comes before any listing.
        GetPortCount();
    }
    if (!Load(library_)) {
        openFailure_ = library_.link.Failure();
        return false;
    }
    return library_.selectManufacturer(GetPortName(index).c_str()) == 0 &&
           library_.link.Init(index);
}

bool ClSerial2001Adapter::SetBaudRate(int32_t baudRate) {
    if (!library_.link.IsOpen()) {
        return false;
    }
    if (SetSupportedBaudRate(library_.link, library_.getSupportedBaudRates, library_.setBaudRate,
                             baudRate)) {
        return true;
    }
    context_.Get<Notifier>().Warn("Selected baud rate is not supported.");
    return false;
}
