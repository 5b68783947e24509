#pragma once

#include <string>

#include "tools/rvsim/CameraMemory.h"

enum class StateLoad {
    kLoaded,
    kMissing,  // no file yet: the camera starts factory-new
    kFailed,   // unreadable or malformed: the error names the line
};

// The camera's flash memory kept in a text file between runs, one "key=value" a line.
namespace StateFile {

// Fills memory from the file; keys the file lacks keep the values memory already holds.
StateLoad Load(const std::string& path, CameraMemory& memory, std::string& error);

// Writes a temporary file beside the target and renames it over, so a crash never leaves a
// half-written state.
bool Save(const std::string& path, const CameraMemory& memory, std::string& error);

}  // namespace StateFile
