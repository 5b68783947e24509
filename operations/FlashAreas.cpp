#include "operations/FlashAreas.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "core/ControlMode.h"
#include "core/Notifier.h"
#include "core/OperationScope.h"
#include "core/OperatorDialogs.h"
#include "core/ProcessContext.h"
#include "core/ProgressSink.h"
#include "core/StatusLine.h"
#include "operations/CameraRefresh.h"
#include "operations/ChangeHistory.h"
#include "operations/FactoryGate.h"
#include "operations/OutcomeText.h"
#include "operations/UnstoredChanges.h"
#include "protocol/CommandEngine.h"
#include "protocol/CommandIds.h"
#include "protocol/StepGuard.h"

namespace FlashAreas {

namespace {

constexpr int kStoreTimeoutMs = 8000;
constexpr int kLoadTimeoutMs = 10000;
constexpr int kStoreAllTimeoutMs = 10000;
constexpr int kAreaQueryTimeoutMs = 5000;
constexpr int kFactoryAreaTimeoutMs = 500;
// Between the stores of "Store All", so that the camera has finished writing its flash.
constexpr std::chrono::milliseconds kStoreAllPause{20};

const char* const kItemNames[] = {"Factory", "User 1", "User 2", "User 3"};

// Runs the area dialog with the area in use selected (a user area: User 1 when the factory
// area or none is in use, so that Enter never loads or overwrites the factory settings); the
// chosen area, or nothing when the operator cancelled.
bool ChooseArea(ProcessContext& context, OperatorWindow* owner, bool load, int32_t currentArea,
                int32_t& area) {
    ChoiceRequest request;
    request.owner = owner;
    if (load) {
        request.caption = "Load setting data";
        request.prompt = "Select the flash memory area to load setting data";
    } else {
        request.caption = "Store setting data";
        request.prompt = "Select the flash memory area to save setting data";
    }
    // The factory area can be loaded by anyone, but stored only in factory mode.
    if (load || context.Get<ControlMode>().IsFactory()) {
        request.items.push_back(kItemNames[0]);
    }
    request.items.insert(request.items.end(), {kItemNames[1], kItemNames[2], kItemNames[3]});
    const std::string inUse = AreaName(currentArea >= 1 && currentArea <= 3 ? currentArea : 1);
    request.selected = static_cast<std::size_t>(
        std::find(request.items.begin(), request.items.end(), inUse) - request.items.begin());
    const std::optional<std::string> chosen = context.Get<OperatorDialogs>().Choose(request);
    if (!chosen) {
        return false;
    }
    area = AreaOfItem(*chosen);
    return true;
}

// A camera that did not answer says nothing of itself; a refusal the engine has told already.
void TellUnanswered(ProcessContext& context, const std::string& what) {
    const RequestOutcome outcome = context.Get<CommandEngine>().LastOutcome();
    if (outcome.kind == RequestOutcome::Kind::NoAnswer) {
        context.Get<Notifier>().Warn(what + ": the camera did not answer within " +
                                     OutcomeText::ForDuration(outcome.timeoutMs) + ".");
    }
}

// After the camera confirmed loading an area: its settings are stored ones again and the
// operator's earlier changes are gone, so nothing is left unstored or to undo.
void AreaLoaded(ProcessContext& context) {
    context.Get<UnstoredChanges>().Clear();
    context.Get<ChangeHistory>().Clear();
}

}  // namespace

bool Store(ProcessContext& context, int32_t area, int timeoutMs) {
    // The factory area is overwritten only in factory mode, whichever button or command asks.
    if (area == 0 && !FactoryGate::Allows(context, "Storing into the factory area")) {
        return false;
    }
    if (!context.Get<CommandEngine>().SetValue(area == 0 ? CommandIds::kSA00 : CommandIds::kSA,
                                               area, timeoutMs)) {
        return false;
    }
    context.Get<UnstoredChanges>().Clear();
    return true;
}

std::optional<int32_t> ReadCurrentArea(ProcessContext& context) {
    int32_t area = 0;
    if (!context.Get<CommandEngine>().GetValue(CommandIds::kEA, area, kAreaQueryTimeoutMs)) {
        return std::nullopt;
    }
    return area;
}

bool StoreArea(ProcessContext& context, int32_t area) {
    return Store(context, area, kStoreTimeoutMs);
}

bool LoadArea(ProcessContext& context, int32_t area, OperatorWindow* owner) {
    if (!context.Get<CommandEngine>().SetValue(CommandIds::kLD, area, kLoadTimeoutMs)) {
        return false;
    }
    AreaLoaded(context);
    ReadCamera(context, owner);
    return true;
}

int StoreAllAreas(ProcessContext& context, OperatorWindow* owner) {
    if (!FactoryGate::Allows(context, "Store All")) {
        return 4;
    }
    const OperationScope operation(context);
    ProgressSink& progress = context.Get<ProgressSink>();
    progress.ShowProgress(owner, "Now, storing into all EEPROM areas.");
    StepGuard guard(context);
    int failures = 0;
    int done = 0;
    for (int32_t area = 3; area >= 0 && guard.Continue(); --area) {
        std::this_thread::sleep_for(kStoreAllPause);
        progress.SetProgressMessage(area == 0 ? "Now, storing into the factory area."
                                              : "Now, storing into user area " +
                                                    std::to_string(area) + ".");
        failures += Store(context, area, kStoreAllTimeoutMs) ? 0 : 1;
        progress.SetProgress(++done * 25);
        if (!guard.AfterRequest()) {
            break;
        }
    }
    progress.FinishProgress(!guard.Stopped());
    // The areas not tried count as not stored.
    guard.TellHowFar("Stored " + std::to_string(done - failures) + " of 4 areas");
    return failures + (4 - done);
}

int32_t AreaOfItem(const std::string& item) {
    for (int32_t area = 0; area < 4; ++area) {
        if (item == kItemNames[area]) {
            return area;
        }
    }
    return -1;
}

std::string AreaName(int32_t area) {
    return area >= 0 && area < 4 ? kItemNames[area] : "";
}

void StoreSettings(ProcessContext& context, OperatorWindow* owner, int32_t& currentArea) {
    int32_t area = -1;
    if (!ChooseArea(context, owner, false, currentArea, area)) {
        return;
    }
    currentArea = area;
    if (area < 0 || area > 3) {
        context.Get<Notifier>().Tell("Selected invalid area !", MessageIcon::Error);
        return;
    }
    StatusLine& status = context.Get<StatusLine>();
    if (StoreArea(context, area)) {
        status.ShowOutcome("Settings stored into " + AreaName(area));
        context.Get<Notifier>().Tell("Completed saving current setting data !",
                                     MessageIcon::Information);
        return;
    }
    status.ShowOutcome("Settings not stored into " + AreaName(area));
    TellUnanswered(context, "The settings were not stored into " + AreaName(area));
}

bool LoadSettings(ProcessContext& context, OperatorWindow* owner, int32_t& currentArea) {
    int32_t area = -1;
    if (!ChooseArea(context, owner, true, currentArea, area) ||
        !MayLoadOverUnstored(context, area)) {
        return false;
    }
    currentArea = area;
    if (LoadArea(context, area, owner)) {
        context.Get<StatusLine>().ShowOutcome(AreaName(area) + " loaded");
        return true;
    }
    context.Get<StatusLine>().ShowOutcome(AreaName(area) + " not loaded");
    TellUnanswered(context, AreaName(area) + " was not loaded");
    return false;
}

bool MayLoadOverUnstored(ProcessContext& context, int32_t area) {
    const UnstoredChanges& unstored = context.Get<UnstoredChanges>();
    if (unstored.Count() == 0) {
        return true;
    }
    return context.Get<Notifier>().AskYesNo(unstored.Sentence() + "\n" + unstored.Names() +
                                                "\n\nLoad " + AreaName(area) + " and lose them?",
                                            "Load setting data", MessageAnswer::No);
}

void StoreAll(ProcessContext& context, OperatorWindow* owner) {
    if (!FactoryGate::Allows(context, "Store All")) {
        return;  // before the question: there is nothing to agree to
    }
    Notifier& notifier = context.Get<Notifier>();
    if (!notifier.AskYesNo("Are you sure you want to overwrite into all EEPROM areas?",
                           kApplicationCaption)) {
        return;
    }
    const int failures = StoreAllAreas(context, owner);
    context.Get<StatusLine>().ShowOutcome(failures == 0 ? "Stored all 4 areas"
                                                        : "Stored " + std::to_string(4 - failures) +
                                                              " of 4 areas");
    if (failures == 0) {
        context.Get<Notifier>().Tell("Completed to store current setting data!",
                                     MessageIcon::Information);
    } else {
        notifier.Warn("Couldn't store current setting data!");
    }
}

void SaveFactoryArea(ProcessContext& context) {
    Store(context, 0, kFactoryAreaTimeoutMs);
}

}  // namespace FlashAreas
