#pragma once

#include <string>
#include <vector>

#include "files/GammaFile.h"

class ProcessContext;

// The LUT menu: the camera's look-up tables to and from gamma data files (.csv). A monochrome
// camera has one table (channel 1), any other camera three (channels 0, 1 and 2).
namespace LutFiles {

// The camera's tables into the program's; true when every one was read whole.
bool ReadCameraTables(ProcessContext& context);
// The program's tables into the camera; true when the camera confirmed every entry.
bool WriteCameraTables(ProcessContext& context);
// The program's tables as a gamma data file's text, in the camera's form.
std::string GammaFileText(ProcessContext& context);
// The program's tables into a gamma data file, in the camera's form; false (after telling the
// operator) when it cannot be written. An existing file is replaced only once the new one is
// complete.
bool SaveTablesToFile(ProcessContext& context, const std::string& path);
// A gamma data file into the program's tables; false (after telling the operator) when it was
// refused.
bool LoadTablesFromFile(ProcessContext& context, const std::string& path);
// The same for a file's levels read before.
bool LoadTables(ProcessContext& context, const GammaFile::Levels& levels);
// The tables the camera has, as channels: a monochrome camera's 1, any other's 0, 1 and 2.
std::vector<int> CameraChannels(ProcessContext& context);

// "&Open LUT file": a chosen file into the tables; nothing is sent to the camera.
void OpenLutFile(ProcessContext& context);
// "&Save LUT file": the tables from the camera, then into a chosen file.
void SaveLutFile(ProcessContext& context);
// "&Load all LUT table": the tables from the camera; true when every one was read whole.
bool LoadAllLutTables(ProcessContext& context);

}  // namespace LutFiles
