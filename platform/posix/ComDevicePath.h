#pragma once

#include <string>

// The device that the port name "COM<n>" opens: the path in RVTOOL_COM<n> when that is set,
// else COM1-COM4 /dev/ttyS0-3, COM5-COM12 /dev/ttyUSB0-7, COM13-COM16 /dev/ttyACM0-3.
// Empty for any other name, and for COM17 ... COM256 without their setting.
std::string ComDevicePath(const std::string& portName);

// The path a port name opens: a name that is a path ("/dev/ttyUSB0", a by-id link) is its own
// device, "COM<n>" the one above. Empty when the name opens nothing.
std::string PortDevicePath(const std::string& portName);
