#include "presenters/CommunicationLogic.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "controls/CameraModel.h"
#include "core/CancelToken.h"
#include "core/ControlMode.h"
#include "core/MessageGathering.h"
#include "core/Notifier.h"
#include "core/OnlineStatusSink.h"
#include "core/ProcessContext.h"
#include "core/ProgressSink.h"
#include "core/StatusLine.h"
#include "operations/CameraConnection.h"
#include "operations/CameraFile.h"
#include "operations/CameraRefresh.h"
#include "operations/CameraSearch.h"
#include "operations/FlashAreas.h"
#include "operations/LogFileSaving.h"
#include "operations/MessageLog.h"
#include "operations/OutcomeText.h"
#include "platform/SerialDevice.h"
#include "presenters/CommunicationView.h"
#include "presenters/MainView.h"
#include "presenters/PageValues.h"
#include "protocol/CommandEngine.h"
#include "protocol/CommandIds.h"
#include "transport/CameraPort.h"
#include "transport/PortName.h"

namespace {

constexpr int kAreaQueryTimeoutMs = 5000;
constexpr int kStoreTimeoutMs = 40000;
constexpr int32_t kFirstUserArea = 1;

}  // namespace

CommunicationLogic::CommunicationLogic(ProcessContext& context, CommunicationView& view,
                                       MainView& mainView)
    : context_(context), view_(view), mainView_(mainView) {}

std::string CommunicationLogic::AreaName(int32_t area) {
    switch (area) {
        case 0:
            return "Factory Data";
        case 1:
            return "User 1 Data";
        case 2:
            return "User 2 Data";
        case 3:
            return "User 3 Data";
        default:
            return "Unkown";
    }
}

void CommunicationLogic::Initialise() {
    CameraPort& port = context_.Get<CameraPort>();
    view_.SelectCategory(port.GetCategory());
    FillPortList();
    view_.SelectBaudIndex(port.GetBaudIndex());
    ApplyControlMode();
    view_.SelectArea(kFirstUserArea);
    ApplyStoreRule();
}

void CommunicationLogic::FillPortList() {
    CameraPort& port = context_.Get<CameraPort>();
    const std::vector<PortItem> ports = PortList::Of(port);
    const int32_t count = static_cast<int32_t>(ports.size());
    view_.ShowPorts(ports);
    int32_t index = port.GetPortIndex();
    if (index < 0 || index >= count) {
        port.SelectPort(0);
        index = 0;
    }
    view_.SelectPort(index);
}

void CommunicationLogic::ApplyControlMode() {
    view_.ShowBaudRateControls(context_.Get<ControlMode>().IsFactory());
    ApplyStoreRule();
}

void CommunicationLogic::ApplyStoreRule() {
    view_.EnableStore(view_.SelectedArea() != kFactoryArea ||
                      context_.Get<ControlMode>().IsFactory());
}

void CommunicationLogic::CheckModelAndRefresh() {
    if (context_.Get<CameraModel>().CheckModel()) {
        PageValues::RefreshFromCamera(context_, mainView_);
    }
    context_.Get<StatusLine>().ShowLink(OutcomeText::ForLink(context_));
}

void CommunicationLogic::OnCategoryChosen(int32_t category) {
    if (!context_.Get<CameraPort>().SelectCategory(category)) {
        CameraConnection::ReportOpenFailure(context_);
    }
    FillPortList();
    CheckModelAndRefresh();
}

void CommunicationLogic::OnBaudRateChosen(int32_t index) {
    // What the driver reports is all the operator is told.
    context_.Get<CameraPort>().SetBaudRate(CameraPort::BaudRateFromIndex(index));
    CheckModelAndRefresh();
}

void CommunicationLogic::OnPortChosen(int32_t index) {
    context_.Get<CameraPort>().SelectPort(index);
    CheckModelAndRefresh();
}

void CommunicationLogic::OnPortNamed(const std::string& text) {
    const std::optional<std::string> name = CanonicalPortName(text);
    if (!name) {
        context_.Get<Notifier>().Show({PortNameProblem(text), "Communication Error",
                                       MessageIcon::Warning, MessageButtons::Ok});
        return;
    }
    CameraPort& port = context_.Get<CameraPort>();
    port.SetCategory(kComCategory);
    view_.SelectCategory(kComCategory);
    port.SelectPort(port.PortIndexOf(*name));
    FillPortList();
    CheckModelAndRefresh();
}

void CommunicationLogic::OnAuto() {
    CameraPort& port = context_.Get<CameraPort>();
    // The first 16 positions, however many ports the list holds; a port the operator named
    // beyond them (a device path, a device server) is where a camera is looked for first.
    std::vector<int32_t> ports;
    if (port.GetCategory() == kComCategory && port.GetPortIndex() >= kPortsSearched) {
        ports.push_back(port.GetPortIndex());
    }
    for (int32_t i = 0; i < kPortsSearched; ++i) {
        ports.push_back(i);
    }
    // The link in use before, to go back to when the operator stops the search.
    const bool wasOpen = port.IsOpen();
    const int32_t previousPort = port.GetPortIndex();
    const int32_t previousRate = port.GetBaudRate();
    const CancelToken& cancel = context_.Get<CancelToken>();
    context_.Get<CancelToken>().Reset();
    std::vector<CameraSearch::Attempt> attempts;
    std::vector<MessageRequest> failures;
    std::optional<CameraSearch::Found> found;
    {
        // A port that does not open is told in the one summary below, not in a box of its own.
        const MessageGathering gathering(context_);
        // Some 50 s without a camera: the operator sees which port is tried and may stop.
        ProgressSink& progress = context_.Get<ProgressSink>();
        progress.ShowProgress(&view_, OutcomeText::ForPortSearch(port.GetPortName(ports[0])));
        found = CameraSearch::Search(
            context_, ports, port.GetBaudRate(), CameraSearch::Rates::Given, &attempts,
            [&port, &progress, &ports](int32_t index, std::size_t tried) {
                progress.SetProgressMessage(OutcomeText::ForPortSearch(port.GetPortName(index)));
                progress.SetProgress(static_cast<int>(tried * 100 / ports.size()));
            });
        progress.FinishProgress(found || !cancel.Requested());
        failures = gathering.Messages();
    }
    OnlineStatusSink& status = context_.Get<OnlineStatusSink>();
    if (!found && cancel.Requested()) {
        // The operator knows there was no answer: no box. The link goes back to the port used
        // before, not the last one tried.
        status.SetOnline(false);
        if (wasOpen) {
            port.Open(port.GetCategory(), previousRate, previousPort);
            view_.SelectPort(previousPort);
        } else if (!attempts.empty()) {
            view_.SelectPort(attempts.back().portIndex);
        }
        StatusLine& line = context_.Get<StatusLine>();
        line.ShowLink(OutcomeText::ForLink(context_));
        line.ShowOutcome(OutcomeText::ForCancelledSearch(attempts.size()));
        return;
    }
    if (!found) {
        context_.Get<Notifier>().Show(
            {"No answer from Camera! (Timeout error)\nCheck power on "
             "Camera or serial cable connection." +
                 SearchSummary(attempts, failures),
             "Communication Error", MessageIcon::Warning, MessageButtons::Ok});
        status.SetOnline(false);
        // The link stays on the last port tried, and the list says so rather than showing a
        // port that is no longer in use.
        view_.SelectPort(ports.back());
        StatusLine& line = context_.Get<StatusLine>();
        line.ShowLink(OutcomeText::ForLink(context_));
        line.ShowOutcome("Search ended after " + std::to_string(attempts.size()) +
                         " ports: no camera answered");
        return;
    }
    status.SetOnline(true);
    view_.SelectPort(found->portIndex);
    PageValues::RefreshFromCamera(context_, mainView_);
}

namespace {

// The lines of a text.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end = text.find('\n'); end != std::string::npos;
         start = end + 1, end = text.find('\n', start)) {
        lines.push_back(text.substr(start, end - start));
    }
    lines.push_back(text.substr(start));
    return lines;
}

std::string OpenFailureLines(const std::vector<MessageRequest>& failures) {
    // A COM port's message is "Failed to initialize COM2 port!", the failed call, then
    // "/dev/ttyS1: No such file or directory" and perhaps advice. Ports that failed for the same
    // reason share one line, "No such file or directory: COM2 (/dev/ttyS1), COM3 (...)", so that
    // a machine with few serial devices does not get sixteen lines of the same.
    static const std::string head = "Failed to initialize ";
    static const std::string tail = " port!";
    std::vector<std::pair<std::string, std::string>> groups;  // reason, ports
    std::string others;
    for (const MessageRequest& failure : failures) {
        const std::vector<std::string> lines = SplitLines(failure.text);
        const std::size_t colon = lines.size() >= 3 ? lines[2].find(": ") : std::string::npos;
        if (colon == std::string::npos || lines[0].rfind(head, 0) != 0 ||
            lines[0].size() <= head.size() + tail.size() ||
            lines[0].compare(lines[0].size() - tail.size(), tail.size(), tail) != 0) {
            // Any other message on one line.
            std::string line;
            for (const std::string& part : lines) {
                line += (line.empty() ? "" : " ") + part;
            }
            others += "\n" + line;
            continue;
        }
        const std::string name =
            lines[0].substr(head.size(), lines[0].size() - head.size() - tail.size());
        // Opening the device is the usual step to fail; any later one is named with the reason.
        std::string reason =
            (lines[1] == "Error in CreateFile()" ? std::string() : lines[1] + ": ") +
            lines[2].substr(colon + 2);
        for (std::size_t i = 3; i < lines.size(); ++i) {
            reason += "\n" + lines[i];
        }
        const std::string port = name + " (" + lines[2].substr(0, colon) + ")";
        auto group = std::find_if(groups.begin(), groups.end(),
                                  [&](const auto& entry) { return entry.first == reason; });
        if (group == groups.end()) {
            groups.push_back({reason, port});
        } else {
            group->second += ", " + port;
        }
    }
    std::string text;
    for (const auto& [reason, ports] : groups) {
        // The first line of the reason names the ports; advice follows on its own lines.
        const std::size_t lineEnd = reason.find('\n');
        text += "\n" + reason.substr(0, lineEnd) + ": " + ports +
                (lineEnd == std::string::npos ? "" : reason.substr(lineEnd));
    }
    return text + others;
}

}  // namespace

std::string CommunicationLogic::SearchSummary(const std::vector<CameraSearch::Attempt>& attempts,
                                              const std::vector<MessageRequest>& failures) {
    CameraPort& port = context_.Get<CameraPort>();
    std::string silent;
    for (const CameraSearch::Attempt& attempt : attempts) {
        if (attempt.opened) {
            silent += (silent.empty() ? "" : ", ") + port.GetPortName(attempt.portIndex);
        }
    }
    std::string text;
    if (!silent.empty()) {
        text += "\n\nNo camera answered on: " + silent + ".";
    }
    if (!failures.empty()) {
        text += "\n\nPorts that could not be opened:" + OpenFailureLines(failures);
    }
    return text;
}

void CommunicationLogic::OnWriteSettingsFile() {
    CameraFile::SaveAllDataAs(context_, &mainView_);
}

void CommunicationLogic::OnReadSettingsFile() {
    PageValues::OpenCameraFile(context_, mainView_);
}

void CommunicationLogic::OnGetArea() {
    int32_t area = -1;
    if (!context_.Get<CommandEngine>().GetValue(CommandIds::kEA, area, kAreaQueryTimeoutMs)) {
        area = -1;
    }
    view_.ShowCurrentAreaName(AreaName(area));
}

void CommunicationLogic::OnStore() {
    ProgressSink& progress = context_.Get<ProgressSink>();
    progress.ShowProgress(&view_, "Now, Storing camera data.");
    const bool stored = FlashAreas::Store(context_, view_.SelectedArea(), kStoreTimeoutMs);
    if (stored) {
        context_.Get<Notifier>().Tell("Completed to store current setting data!",
                                      MessageIcon::Information);
    }
    progress.FinishProgress(stored);
}

void CommunicationLogic::OnLoad() {
    if (!FlashAreas::MayLoadOverUnstored(context_, view_.SelectedArea())) {
        return;
    }
    if (FlashAreas::LoadArea(context_, view_.SelectedArea(), &mainView_)) {
        PageValues::ShowCameraValues(context_, mainView_);
    }
}

void CommunicationLogic::OnClearLog() {
    context_.Get<MessageLog>().Clear();
}

void CommunicationLogic::OnSaveLog() {
    LogFileSaving::SaveMessageLog(context_, &view_);
}
