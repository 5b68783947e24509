#pragma once

#include <cstdint>
#include <optional>
#include <string>

class OperatorWindow;
class ProcessContext;

// Storing the camera's current settings into its flash areas and loading them back. Area 0 is
// the factory area, 1 to 3 the user areas.
namespace FlashAreas {

// The area an item of the area dialog stands for: "Factory" 0, "User 1" to "User 3" 1 to 3,
// anything else -1.
int32_t AreaOfItem(const std::string& item);
// The item of an area: "Factory", "User 1" ... "User 3"; empty for any other number.
std::string AreaName(int32_t area);

// The area the camera reports as current; nothing when it does not answer.
std::optional<int32_t> ReadCurrentArea(ProcessContext& context);
// Stores the camera's current settings into the area (0 to 3); true when the camera confirmed.
bool StoreArea(ProcessContext& context, int32_t area);
// Loads the area's settings into the camera and, once the camera confirmed, reads the camera
// (ReadCamera); true when it confirmed.
bool LoadArea(ProcessContext& context, int32_t area, OperatorWindow* owner);
// User areas 3, 2, 1 and then the factory area, each tried whatever became of the others, under
// the progress window over owner; the number of areas the camera did not confirm.
int StoreAllAreas(ProcessContext& context, OperatorWindow* owner);

// "Store settings": the operator chooses the area (the factory area only in factory mode) in
// the area dialog over owner, which becomes the current area; the outcome is told.
void StoreSettings(ProcessContext& context, OperatorWindow* owner, int32_t& currentArea);
// "Load settings": the operator chooses the area (the one in use is offered first); once the
// camera confirmed the load it is read again. True then, for the pages to show it.
bool LoadSettings(ProcessContext& context, OperatorWindow* owner, int32_t& currentArea);
// Before an area is loaded over changes not stored to flash: a question that names them, No by
// default. True when there are none or the operator agreed.
bool MayLoadOverUnstored(ProcessContext& context, int32_t area);
// "Store All", a factory function: after the operator confirms, user areas 3, 2, 1 and then the
// factory area, each tried whatever became of the others, with one summary.
void StoreAll(ProcessContext& context, OperatorWindow* owner);
// Stores into the area with the caller's time-out: the factory area has its own command, and is
// refused in user mode. True when the camera confirmed; the camera's settings then count as
// stored.
bool Store(ProcessContext& context, int32_t area, int timeoutMs);
// The factory area alone, without a word.
void SaveFactoryArea(ProcessContext& context);

}  // namespace FlashAreas
