#pragma once

class ProcessContext;

// Moving one look-up table channel between the program and the camera, entry by entry with
// LUTI (the entry) and LUTD (its level), under the progress window of the channel's editor.
namespace LutTransfer {

// All 256 levels from the camera (levels above 4095 become 4095), then View Mode. False when a
// query failed: the entries from that one on keep their levels.
bool ReadTable(ProcessContext& context, int colorIndex);
// All 256 levels to the camera; refusals are the engine's to report. True when the camera
// confirmed every entry.
bool WriteTable(ProcessContext& context, int colorIndex);

}  // namespace LutTransfer
