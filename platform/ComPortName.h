#pragma once

#include <string>

// The highest COM port number Windows gives a port.
constexpr int kHighestComPort = 256;

// The number n of a port named "COM<n>" (1 ... 256, no leading zero), or 0 for any other name.
int ComPortNumber(const std::string& portName);
// The same in any letter case ("com3"), as Windows takes device names.
int ComPortNumberAnyCase(const std::string& portName);
