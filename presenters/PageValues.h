#pragma once

#include <cstdint>
#include <string>

#include "operations/CameraFile.h"

class MainView;
class ProcessContext;

// The pages brought up to date with what the camera told: after a read, a reload, a load of an
// area or of a settings file. The flows read and load; these show.
namespace PageValues {

// Shows on the pages what a read of the camera left in the table, and applies the page rules.
void ShowCameraValues(ProcessContext& context, MainView& view);

// The main window's refresh: the camera read (ReadCamera), then ShowCameraValues, with the
// status line telling how the read went.
void RefreshFromCamera(ProcessContext& context, MainView& view);

// "Reload": the current area as the camera reports it, and the pages read again; the change
// history starts afresh. Changes not stored stay so: the camera keeps its current values.
void Reload(ProcessContext& context, MainView& view, int32_t& currentArea);

// After a load from the settings file at path: the outcome in the status line and the message
// log, the pages brought up to date.
void ShowLoad(ProcessContext& context, MainView& view, const std::string& path,
              const CameraFile::LoadSummary& summary);
// The main window's load: the file, then ShowLoad. False only when the file cannot be opened.
bool ReadCameraFile(ProcessContext& context, MainView& view, const std::string& path);
// File > Open: the operator chooses the file as the save does, then ReadCameraFile.
void OpenCameraFile(ProcessContext& context, MainView& view);

}  // namespace PageValues
