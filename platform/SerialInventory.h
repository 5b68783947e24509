#pragma once

#include <string>
#include <vector>

// One serial device present on this machine. Fields the system does not tell stay empty.
struct SerialDeviceInfo {
    std::string path;          // what opens it: "/dev/ttyUSB0"; on Windows the port, "COM3"
    std::string description;   // Windows' friendly name, "USB Serial Port (COM3)"
    std::string maker;         // a USB adapter's maker, "FTDI"
    std::string product;       // a USB adapter's product, "FT232R USB UART"
    std::string serialNumber;  // a USB adapter's serial number, "A10KZP6F"
    std::string byId;          // the /dev/serial/by-id link to it, the same in every socket
    std::string byPath;        // the /dev/serial/by-path link to it, the same for one socket
};

// The serial devices present, in a stable order (by path, numbers by their value: ttyS2
// before ttyS10). Pseudo terminals and consoles without hardware are not listed.
struct SerialInventory {
    std::vector<SerialDeviceInfo> devices;
    std::string error;  // why the system could not be asked; empty when it answered
};

SerialInventory ListSerialDevices();

// Which device a port name opens, for marking names in a list present or absent.
struct SerialDeviceMatch {
    // The name leads to a serial device that exists now, listed or not (a pseudo terminal).
    bool present = false;
    // Its entry in the inventory the lookup was given; null when it is not listed there.
    const SerialDeviceInfo* device = nullptr;
};

// portName: "COM<n>" (on POSIX through its device setting), or a path to a device or to a
// link to one, followed to the device it leads to now.
SerialDeviceMatch FindSerialDevice(const SerialInventory& inventory, const std::string& portName);
