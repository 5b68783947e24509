#pragma once

#include <cstdint>
#include <string>

class MainView;
class ProcessContext;

// Storing the camera's current settings into its flash areas and loading them back. Area 0 is
// the factory area, 1 to 3 the user areas.
namespace FlashAreas {

// The area an item of the area dialog stands for: "Factory" 0, "User 1" to "User 3" 1 to 3,
// anything else -1.
int32_t AreaOfItem(const std::string& item);

// "Store settings": the operator chooses the area (the factory area only in factory mode),
// which becomes the current area; a confirmed store is reported.
void StoreSettings(ProcessContext& context, MainView& view, int32_t& currentArea);
// "Load settings": the operator chooses the area; the pages are read again once the camera
// confirmed the load.
void LoadSettings(ProcessContext& context, MainView& view, int32_t& currentArea);
// "Reload": the current area as the camera reports it, and the pages read again.
void Reload(ProcessContext& context, MainView& view, int32_t& currentArea);
// "Store All": after the operator confirms, user areas 3, 2, 1 and then the factory area, each
// tried whatever became of the others, with one summary.
void StoreAll(ProcessContext& context, MainView& view);
// Stores the camera's current settings into the area: the factory area has its own command.
// True when the camera confirmed.
bool Store(ProcessContext& context, int32_t area, int timeoutMs);
// The factory area alone, without a word.
void SaveFactoryArea(ProcessContext& context);

}  // namespace FlashAreas
