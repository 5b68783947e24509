#include "operations/OutcomeText.h"

#include "controls/CameraModel.h"
#include "controls/ControlCatalog.h"
#include "controls/ControlTable.h"
#include "core/ControlMode.h"
#include "core/ProcessContext.h"
#include "platform/SerialDevice.h"
#include "transport/CameraPort.h"

namespace OutcomeText {

std::string ForAssignment(int32_t ctrlId, int32_t value) {
    const CatalogEntry* entry = ControlCatalog::Find(ctrlId);
    if (entry == nullptr) {
        return std::to_string(value);
    }
    return ControlCatalog::Mnemonic(*entry) + "=" + ControlCatalog::ValueText(*entry, value);
}

std::string ForChange(int32_t ctrlId, int64_t requested, const Parameters::Result& result) {
    const CatalogEntry* entry = ControlCatalog::Find(ctrlId);
    if (!result.whyNotSent.empty()) {
        return (entry != nullptr ? ControlCatalog::Mnemonic(*entry) : std::to_string(ctrlId)) +
               ": " + result.whyNotSent;
    }
    // A request is checked against its range before it is sent, so it fits 32 bits here.
    const std::string change = ForAssignment(ctrlId, static_cast<int32_t>(requested));
    switch (result.outcome.kind) {
        case RequestOutcome::Kind::Answered:
            return change + (result.sent ? " taken" : " not sent: the camera holds it already");
        case RequestOutcome::Kind::Refused:
            return change + " refused: " + result.outcome.reply;
        case RequestOutcome::Kind::NoAnswer:
            return change + ": no answer from the camera in " +
                   ForDuration(result.outcome.timeoutMs);
        case RequestOutcome::Kind::NotSent:
        default:
            return change + " not sent: the port is closed, or another request was in progress";
    }
}

std::string ForDuration(int milliseconds) {
    if (milliseconds >= 1000 && milliseconds % 1000 == 0) {
        return std::to_string(milliseconds / 1000) + " s";
    }
    return std::to_string(milliseconds) + " ms";
}

namespace {

// " (line 14, GA; line 20, BL)"; nothing for no lines.
std::string LineList(const std::vector<CameraFile::RefusedLine>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        text += (i == 0 ? " (line " : "; line ") + std::to_string(lines[i].lineNumber) + ", " +
                lines[i].mnemonic;
    }
    return lines.empty() ? text : text + ")";
}

}  // namespace

std::string ForLoad(const CameraFile::LoadSummary& summary) {
    std::string text = "Loaded " + std::to_string(summary.linesSent) + " lines, " +
                       std::to_string(summary.refused.size()) + " refused" +
                       LineList(summary.refused);
    if (!summary.unanswered.empty()) {
        text += ", " + std::to_string(summary.unanswered.size()) + " unanswered" +
                LineList(summary.unanswered);
    }
    if (!summary.unknown.empty()) {
        text += ", " + std::to_string(summary.unknown.size()) +
                (summary.unknown.size() == 1 ? " unknown mnemonic" : " unknown mnemonics") +
                LineList(summary.unknown);
    }
    return text;
}

std::string ForSearch(int32_t baudRate) {
    return "Looking for the camera at " + std::to_string(baudRate) + " bit/s";
}

std::string ForPortSearch(const std::string& portName) {
    return "Looking for a camera on " + portName;
}

std::string ForCancelledSearch(std::size_t portsTried) {
    if (portsTried <= 1) {
        return "Search cancelled: no camera answered";
    }
    return "Search cancelled after " + std::to_string(portsTried) + " ports: no camera answered";
}

std::string ForStartUp(ProcessContext& context, bool answered) {
    CameraPort& port = context.Get<CameraPort>();
    if (!answered) {
        if (port.PortInUse()) {
            return "The port is in use by another program: close it, or choose another port in "
                   "the communication dialog";
        }
        if (!port.IsOpen()) {
            return "The port did not open: choose the camera's port in the communication dialog";
        }
        return "No camera answered at any rate: check its power and cable, then use Auto in "
               "the communication dialog";
    }
    const CameraModel& model = context.Get<CameraModel>();
    std::string text = "Camera " + model.Text() + " found at " +
                       std::to_string(context.Get<CameraPort>().GetBaudRate()) + " bit/s";
    if (!model.IsSupported()) {
        // Its settings were not read: the pages show none of them.
        return text + ": this model is not supported, so its settings were not read";
    }
    // Found, and then silent: said here, so that the offline mark beside it has its reason.
    const bool factoryMode = context.Get<ControlMode>().IsFactory();
    int unknown = 0;
    for (const ControlEntry& row : context.Get<ControlTable>().Entries()) {
        unknown += row.readBack && row.state != ValueState::Told &&
                           (factoryMode || row.paramClass != kFactoryParam)
                       ? 1
                       : 0;
    }
    if (unknown > 0) {
        text += ", but " + std::to_string(unknown) + " of its settings did not answer";
    }
    return text;
}

std::string ForReading(bool supported, int unanswered) {
    if (!supported) {
        return "The camera's model is not supported, so its settings were not read";
    }
    if (unanswered == 0) {
        return "Read the camera's settings";
    }
    return "Read the camera's settings: " + std::to_string(unanswered) + " did not answer";
}

std::string ForLink(ProcessContext& context) {
    CameraPort& port = context.Get<CameraPort>();
    const std::string name = port.GetPortName(port.GetPortIndex());
    std::string text = name;
    if (port.GetCategory() == kComCategory) {
        const std::string device = SerialDevice::DeviceName(name);
        if (!device.empty()) {
            text += " " + device;
        }
    }
    text += " " + std::to_string(port.GetBaudRate()) + " bit/s";
    const CameraModel& model = context.Get<CameraModel>();
    if (!model.Text().empty()) {
        text += "  " + model.Text();
    }
    if (context.Get<ControlMode>().IsFactory()) {
        text += "  Factory mode";
    }
    return text;
}

}  // namespace OutcomeText
