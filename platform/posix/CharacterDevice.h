#pragma once

#include <sys/types.h>

#include <string>

// The kind Linux files a character device under in sysfs ("tty", "mem", "watchdog"); empty
// when it is not filed there, as pseudo terminals are not, or when sysfs is missing.
std::string CharacterDeviceKind(dev_t device);
