#pragma once

#include <memory>
#include <string>

class ProcessContext;

// The main window's status line: what the last action did, and the link and mode in use.
// rvtool shows it in the status strip under the pages; rvctl and the tests keep it or drop it.
class StatusLine {
public:
    virtual ~StatusLine() = default;
    // What the last action did: "GA=400 accepted", "Loaded 26 lines, 1 refused (line 14, GA)".
    virtual void ShowOutcome(const std::string& text) = 0;
    // The link and mode in use: "COM3 /dev/ttyUSB0 115200 bit/s  RV-2410M-TCL  Factory mode".
    virtual void ShowLink(const std::string& text) = 0;
    // Whether the camera holds changes not stored to flash: "Not stored to flash", or empty.
    virtual void ShowStorage(const std::string& text) { static_cast<void>(text); }
    static std::unique_ptr<StatusLine> CreateDefault(ProcessContext& context);
};
