#pragma once

#include <string>
#include <vector>

// Where the Camera Link serial libraries live on this system.
namespace ClSerialFiles {

// The folder of the per-maker libraries of the 2000 generation.
std::string SystemDirectory();
// The file name pattern of the 2000-generation libraries.
const char* Serial2000Pattern();
// File names (without folder) of the 2000-generation libraries in the folder, in search order.
std::vector<std::string> FindSerial2000Libraries(const std::string& directory);
std::string JoinPath(const std::string& directory, const std::string& fileName);

// The bare names of the 2001 and ver. 1.1 libraries, loaded through the library search order.
const char* Serial2001Library();
const char* SerialV11Library();

}  // namespace ClSerialFiles
