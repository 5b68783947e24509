#include "presenters/MainWindowLogic.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "controls/ControlIds.h"
#include "controls/ControlTable.h"
#include "core/CancelToken.h"
#include "core/ControlMode.h"
#include "core/Notifier.h"
#include "core/OperationScope.h"
#include "core/OperatorDialogs.h"
#include "core/ProcessContext.h"
#include "core/ProgressSink.h"
#include "core/StatusLine.h"
#include "operations/Calibration.h"
#include "operations/CameraConnection.h"
#include "operations/CameraFile.h"
#include "operations/CameraIdentity.h"
#include "operations/CameraRefresh.h"
#include "operations/ChangeHistory.h"
#include "operations/FactoryOperations.h"
#include "operations/FlashAreas.h"
#include "operations/LutFiles.h"
#include "operations/OutcomeText.h"
#include "operations/PageChanges.h"
#include "operations/UnstoredChanges.h"
#include "presenters/FileComparison.h"
#include "presenters/LinkWatch.h"
#include "presenters/MainView.h"
#include "presenters/PageRules.h"
#include "presenters/PageValues.h"
#include "presenters/RecentFiles.h"
#include "transport/CameraPort.h"

namespace {

using namespace ControlIds;

}  // namespace

MainWindowLogic::MainWindowLogic(ProcessContext& context, MainView& view)
    : context_(context), view_(view), binding_(context, view), handlers_(context, view, binding_) {}

void MainWindowLogic::Initialise() {
    binding_.SetSpinRanges();
    binding_.ShowAllValues();
    // The pages make sense before any camera answered, too.
    PageRules::ApplyEnableRules(view_);
    UpdateModeView();
}

void MainWindowLogic::ConnectAtStart() {
    const OperationScope operation(context_);
    context_.Get<CancelToken>().Reset();
    StatusLine& status = context_.Get<StatusLine>();
    status.ShowOutcome(OutcomeText::ForSearch(context_.Get<CameraPort>().GetBaudRate()));
    bool answered = CameraConnection::ConnectCamera(context_, CurrentArea);
    if (!answered && !context_.Get<CameraPort>().PortInUse()) {
        // Up to five more rates, a time-out each: the operator sees which and may stop.
        ProgressSink& progress = context_.Get<ProgressSink>();
        progress.ShowProgress(nullptr,
                              OutcomeText::ForSearch(context_.Get<CameraPort>().GetBaudRate()));
        answered = CameraConnection::SearchBaudRate(context_, [&](int32_t index) {
            const std::string text = OutcomeText::ForSearch(CameraPort::BaudRateFromIndex(index));
            view_.ShowBaudIndex(index);
            status.ShowOutcome(text);
            progress.SetProgressMessage(text);
            // The rates go from the fastest (the last index) down.
            const int tried = CameraConnection::kSearchedRates - 1 - index;
            progress.SetProgress(tried * 100 / CameraConnection::kSearchedRates);
        });
        // A search that tried every rate ran its course, camera or not.
        progress.FinishProgress(answered || !context_.Get<CancelToken>().Requested());
    }
    if (answered) {
        PageValues::RefreshFromCamera(context_, view_);
    }
    binding_.ShowAllValues();
    status.ShowLink(OutcomeText::ForLink(context_));
    status.ShowOutcome(!answered && context_.Get<CancelToken>().Requested()
                           ? OutcomeText::ForCancelledSearch(1)
                           : OutcomeText::ForStartUp(context_, answered));
}

void MainWindowLogic::OnTimer() {
    const LinkChange change = LinkWatch::Tick(context_, view_, CurrentArea);
    // The status line would otherwise still tell of the camera found before.
    if (change == LinkChange::Lost) {
        context_.Get<StatusLine>().ShowOutcome(context_.Get<CameraPort>().LostLink() +
                                               " went away: plug it in again");
    } else if (change == LinkChange::Back) {
        context_.Get<StatusLine>().ShowOutcome(context_.Get<CameraPort>().LostLink() + " is back");
    }
}

void MainWindowLogic::DispatchControlEvent(const ControlAction& action) {
    switch (action.event) {
        case ControlEvent::EditCommit:
            binding_.OnEditCommit(action.id, action.text);
            break;
        case ControlEvent::SpinDelta:
            binding_.OnSpinStep(action.id, static_cast<int32_t>(action.number), action.text);
            break;
        case ControlEvent::ComboSelect:
            OnComboSelect(action.id, action.number);
            break;
        case ControlEvent::PushClick:
            OnPushClick(action.id);
            break;
        default:
            // Menu commands come through OnMenuCommand; no page has check boxes or radio
            // buttons.
            break;
    }
}

void MainWindowLogic::OnComboSelect(int32_t id, int64_t value) {
    if (id == kCameraModelList) {
        return;  // written by its "Set" button
    }
    const Parameters::Result result = binding_.OnListChoice(id, value);
    // The rules follow what the list shows now: the camera's item.
    switch (id) {
        case kExposureMode:
            PageRules::ApplyExposureRule(view_);
            break;
        case kCameraBaudRate:
            if (result.Taken()) {
                view_.ShowBaudIndex(Parameters::BaudIndexOfCode(*result.value));
            }
            context_.Get<StatusLine>().ShowLink(OutcomeText::ForLink(context_));
            break;
        case kTriggerOrigin:
            PageRules::ApplyTriggerRule(view_);
            break;
        case kLutSelector:
            PageRules::ApplyLutRule(view_);
            break;
        case kShadingMode:
        case kPixelGainMode:
        case kPixelBlackMode:
            PageRules::ApplyCorrectionRule(view_);
            break;
        default:
            break;
    }
}

void MainWindowLogic::OnPushClick(int32_t id) {
    // The status line tells of this action from now on, not of the one before.
    context_.Get<StatusLine>().ShowOutcome(std::string());
    switch (id) {
        case kTerminal:
            view_.ShowTerminal();
            return;
        case kOpenLutTable:
            view_.ShowLutEditor(true);
            return;
        case kTemperatureGet:
            handlers_.OnTemperatureGet();
            return;
        case kLutRead:
            handlers_.OnLutRead();
            return;
        case kLutWrite:
            handlers_.OnLutWrite();
            return;
        case kOnePush:
            handlers_.OnOnePush();
            return;
        case kLineRateMinRead:
            handlers_.OnLineRateMinRead();
            return;
        case kExposureLimitsRead:
            handlers_.OnExposureLimitsRead();
            return;
        case kSaveFactoryArea:
            FlashAreas::SaveFactoryArea(context_);
            return;
        case kStoreAll:
            FlashAreas::StoreAll(context_, &view_);
            return;
        case kCameraReset:
            // The camera will not answer until it is back, so the program ends without asking.
            if (FactoryOperations::ResetCamera(context_)) {
                QuitWithoutConfirm = true;
                view_.EndProgram();
            }
            return;
        case kCameraModelSet:
            FactoryOperations::SetCameraModel(context_, view_.SelectedIndex(kCameraModelList));
            return;
        case kXmlVersionWrite:
            FactoryOperations::WriteXmlVersion(
                context_,
                FactoryOperations::XmlVersionOfDigits({view_.ControlText(kXmlVersionMajor),
                                                       view_.ControlText(kXmlVersionMinor),
                                                       view_.ControlText(kXmlVersionPatch)}));
            return;
        case kXmlVersionRead:
            ShowXmlVersion();
            return;
        default:
            // The six "Recalibrate" buttons; any other button does nothing.
            RunCalibration(id);
            return;
    }
}

void MainWindowLogic::ShowXmlVersion() {
    // Without an answer the edits keep what they show: a guess there would be written back.
    if (const std::optional<int32_t> version = FactoryOperations::ReadXmlVersion(context_)) {
        view_.SetControlText(kXmlVersionMajor, std::to_string(*version / 100));
        view_.SetControlText(kXmlVersionMinor, std::to_string(*version % 100 / 10));
        view_.SetControlText(kXmlVersionPatch, std::to_string(*version % 10));
    }
}

void MainWindowLogic::RunCalibration(int32_t buttonId) {
    const std::optional<Calibration::Kind> kind = Calibration::KindOfButton(buttonId);
    if (!kind) {
        return;
    }
    const int32_t code = Calibration::Run(context_, *kind, &view_);
    if (code == Calibration::kCancelled || code == Calibration::kFactoryOnly) {
        return;  // told already
    }
    context_.Get<Notifier>().Show({Calibration::ResultText(code), Calibration::Caption(*kind),
                                   MessageIcon::None, MessageButtons::Ok});
}

void MainWindowLogic::OpenGivenFile(const std::string& path) {
    // No question about a file that is not there to read.
    if (!std::ifstream(path)) {
        CameraFile::ReportUnopened(context_, path);
        return;
    }
    ChoiceRequest request;
    request.caption = "Open Settings File";
    request.prompt = std::filesystem::path(path).filename().string() +
                     ": compare it with the camera or load it into the camera?";
    request.items = {kCompareGivenFile, kLoadGivenFile};
    const std::optional<std::string> choice = context_.Get<OperatorDialogs>().Choose(request);
    if (choice == kCompareGivenFile) {
        FileComparison::CompareWithFile(context_, view_, path);
    } else if (choice == kLoadGivenFile) {
        PageValues::ReadCameraFile(context_, view_, path);
    }
}

std::vector<std::string> MainWindowLogic::RecentFiles() {
    return ::RecentFiles::List(context_);
}

void MainWindowLogic::OpenRecentFile(const std::string& path) {
    context_.Get<StatusLine>().ShowOutcome(std::string());
    PageValues::ReadCameraFile(context_, view_, path);
}

void MainWindowLogic::OnMenuCommand(int32_t menuId) {
    switch (menuId) {
        case MenuIds::kAbout:
        case MenuIds::kUserGuide:
        case MenuIds::kOpenCommunicationDialog:
        case MenuIds::kEditUserId:
        case MenuIds::kEditCameraId:
            break;  // a window opens: the last outcome still stands
        default:
            // The status line tells of this action from now on, not of the one before.
            context_.Get<StatusLine>().ShowOutcome(std::string());
            break;
    }
    switch (menuId) {
        case MenuIds::kReload:
            PageValues::Reload(context_, view_, CurrentArea);
            return;
        case MenuIds::kStoreSettings:
            FlashAreas::StoreSettings(context_, &view_, CurrentArea);
            return;
        case MenuIds::kLoadSettings:
            if (FlashAreas::LoadSettings(context_, &view_, CurrentArea)) {
                PageValues::ShowCameraValues(context_, view_);
            }
            return;
        case MenuIds::kEditUserId:
            context_.Get<OperatorDialogs>().EditUserId();
            return;
        case MenuIds::kEditCameraId:
            context_.Get<OperatorDialogs>().EditCameraId();
            return;
        case MenuIds::kAbout:
            context_.Get<OperatorDialogs>().ShowAbout();
            return;
        case MenuIds::kOpenCommunicationDialog:
            view_.ShowCommunicationDialog();
            return;
        case MenuIds::kUserGuide:
            CameraIdentity::OpenUserGuide(context_, UserGuidePlaces);
            return;
        case MenuIds::kOpenSettingsFile:
            PageValues::OpenCameraFile(context_, view_);
            return;
        case MenuIds::kSaveAllData:
            CameraFile::SaveAllDataAs(context_, &view_);
            return;
        case MenuIds::kSaveShippingData:
            CameraFile::SaveShippingDataAs(context_, &view_);
            return;
        case MenuIds::kOpenLutFile:
            LutFiles::OpenLutFile(context_);
            return;
        case MenuIds::kSaveLutFile:
            LutFiles::SaveLutFile(context_);
            return;
        case MenuIds::kLoadAllLutTables:
            LutFiles::LoadAllLutTables(context_);
            return;
        case MenuIds::kCompareWithFile:
            FileComparison::CompareWithChosenFile(context_, view_);
            return;
        case MenuIds::kUndoChange:
            Replay(true);
            return;
        case MenuIds::kRedoChange:
            Replay(false);
            return;
        default:
            return;
    }
}

void MainWindowLogic::OnKeyDown(SequenceKey key, bool shift, bool ctrl) {
    if (keySequence_.OnKeyDown(key, shift, ctrl)) {
        ToggleControlMode();
    }
}

void MainWindowLogic::UpdateModeView() {
    context_.Get<StatusLine>().ShowLink(OutcomeText::ForLink(context_));
    view_.RebuildTabs();
    view_.EnableUtilityMenu(context_.Get<ControlMode>().IsFactory());
    view_.ApplyControlMode();
}

void MainWindowLogic::ToggleControlMode() {
    context_.Get<ControlMode>().Toggle();
    if (!context_.Get<ControlMode>().IsFactory()) {
        // An undo must not send a value of a page the operator can no longer see.
        ControlTable& table = context_.Get<ControlTable>();
        context_.Get<ChangeHistory>().Forget(
            [&table](int32_t ctrlId) { return table.IsFactoryParam(ctrlId); });
    }
    UpdateModeView();
    if (const std::optional<int32_t> area = FlashAreas::ReadCurrentArea(context_)) {
        CurrentArea = *area;
        PageValues::RefreshFromCamera(context_, view_);
    }
}

std::string MainWindowLogic::NextReplay(bool undo) {
    const auto next = undo ? PageChanges::NextUndo(context_) : PageChanges::NextRedo(context_);
    return next ? OutcomeText::ForAssignment(next->ctrlId, next->value) : std::string();
}

void MainWindowLogic::Replay(bool undo) {
    const std::optional<PageChanges::Replay> replay =
        undo ? PageChanges::Undo(context_) : PageChanges::Redo(context_);
    StatusLine& status = context_.Get<StatusLine>();
    if (!replay) {
        status.ShowOutcome(undo ? "Nothing to undo" : "Nothing to redo");
        return;
    }
    // The page still shows the value the history went from.
    binding_.ShowTableValue(replay->ctrlId);
    for (int32_t readBack : replay->result.readBack) {
        binding_.ShowTableValue(readBack);
    }
    if (replay->ctrlId == kCameraBaudRate && replay->result.Taken()) {
        view_.ShowBaudIndex(Parameters::BaudIndexOfCode(*replay->result.value));
        status.ShowLink(OutcomeText::ForLink(context_));
    }
    PageRules::ApplyEnableRules(view_);
    PageRules::ShowLineRateTexts(context_, view_);
    status.ShowOutcome(std::string(undo ? "Undo: " : "Redo: ") +
                       OutcomeText::ForChange(replay->ctrlId, replay->value, replay->result));
}

bool MainWindowLogic::ConfirmClose() {
    if (QuitWithoutConfirm) {
        return true;
    }
    std::string question = "Are you sure to terminate the Camera Control Tool ?";
    const std::string unstored = context_.Get<UnstoredChanges>().Sentence();
    if (!unstored.empty()) {
        question += "\n" + unstored;
    }
    // Enter must not lose what is not stored to flash yet.
    return context_.Get<Notifier>().AskYesNo(
        question, "Confirm", unstored.empty() ? MessageAnswer::Yes : MessageAnswer::No);
}

void MainWindowLogic::OnDestroy() {
    context_.Get<CameraPort>().Close();
}
