#pragma once

#include <cstdio>
#include <string>

// Files by UTF-8 path on every system (Windows takes wide names), and the bytes of a written
// file on the disk.
namespace FileAccess {

// std::fopen with a UTF-8 path; mode as std::fopen's ("r", "w", "rt").
std::FILE* Open(const std::string& path, const char* mode);

// The written bytes of the file reach the disk; false when the system says they did not.
bool SyncToDisk(std::FILE* file);

// The position of the path's last folder separator ("/", and "\" on Windows), or npos.
std::size_t LastSeparator(const std::string& path);

}  // namespace FileAccess
