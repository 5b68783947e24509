#include "transport/ClSerial2000Adapter.h"

#include "core/Notifier.h"
#include "core/ProcessContext.h"
#include "platform/ClSerialFiles.h"

ClSerial2000Adapter::ClSerial2000Adapter(ProcessContext& context)
    : context_(context), link_(context) {}

ClSerial2000Adapter::~ClSerial2000Adapter() {
    Close();
}

int32_t ClSerial2000Adapter::GetPortCount() {
    names_ = ClSerialFiles::FindSerial2000Libraries(ClSerialFiles::SystemDirectory());
    return static_cast<int32_t>(names_.size());
}

bool ClSerial2000Adapter::Open(int32_t index) {
    Close();
    openFailure_.clear();
    if (names_.empty()) {
        // The stored port reopened at start-up comes before any listing.
        GetPortCount();
    }
    const std::string directory = ClSerialFiles::SystemDirectory();
    const std::string name = GetPortName(index);
    if (name.empty()) {
        openFailure_ = "No Camera Link library " + std::string(ClSerialFiles::Serial2000Pattern()) +
                       (names_.empty() ? "" : " at position " + std::to_string(index + 1)) +
                       " in " + directory;
        return false;
    }
    const bool loaded = link_.Load(ClSerialFiles::JoinPath(directory, name), false) &&
                        link_.Resolve("clSerialInit", link_.serialInit) &&
                        link_.Resolve("clSerialClose", link_.serialClose) &&
                        link_.Resolve("clSerialRead", link_.serialRead) &&
                        link_.Resolve("clSerialWrite", link_.serialWrite);
    if (!loaded) {
        openFailure_ = link_.Failure();
        return false;
    }
    return link_.Init(index);
}

bool ClSerial2000Adapter::SetBaudRate(int32_t baudRate) {
    if (baudRate == 9600) {
        return true;
    }
    context_.Get<Notifier>().Warn("Selected baud rate is not supported.");
    return false;
}
