#pragma once

#include <string>

// The device that the port name "COM<n>" opens: the path in RVTOOL_COM<n> when that is set,
// else COM1-COM4 /dev/ttyS0-3, COM5-COM12 /dev/ttyUSB0-7, COM13-COM16 /dev/ttyACM0-3.
// Empty for any other name.
std::string ComDevicePath(const std::string& portName);
