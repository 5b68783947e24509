#pragma once

class MainView;
class ProcessContext;

// The LUT menu: the camera's look-up tables to and from gamma data files (.csv). A monochrome
// camera has one table (channel 1), any other camera three (channels 0, 1 and 2).
namespace LutFiles {

// "&Open LUT file": a chosen file into the tables; nothing is sent to the camera.
void OpenLutFile(ProcessContext& context, MainView& view);
// "&Save LUT file": the tables from the camera, then into a chosen file.
void SaveLutFile(ProcessContext& context, MainView& view);
// "&Load all LUT table": the tables from the camera; true when every one was read whole.
bool LoadAllLutTables(ProcessContext& context, MainView& view);

}  // namespace LutFiles
