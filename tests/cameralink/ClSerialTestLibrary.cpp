// A Camera Link serial library for the tests, built once per generation: it carries the bytes
// to the simulated camera over its pseudo terminal and sets the terminal's speed on
// clSetBaudRate, so the camera hears the host only at the rate the tool chose.
//
// Environment:
//   CLTEST_DEVICE     the pseudo terminal clSerialInit opens (on Windows a port: COM8)
//   CLTEST_CALLS      file that gets a line "<library> <call> <argument>" for every call
//   CLTEST_BAUD_MASK  the supported baud-rate bits (default 31: 9600 to 115200)
//   CLTEST_FAIL_INIT  any value: clSerialInit fails
//   CLTEST_PORTS      number of makers (2001) or ports (ver. 1.1) reported (default 1)
//   CLTEST_OMIT       an entry point the library does not have (not on Windows)
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#endif

#include "tools/rvsim/BaudRate.h"
#include "transport/ClSerialInterface.h"

#ifndef CL_GENERATION
#error "CL_GENERATION names the interface generation: 2000, 2001 or 11"
#endif

namespace {

constexpr int32_t kClErrorInvalidIndex = -10005;
constexpr int32_t kClErrorInvalidReference = -10006;
[[maybe_unused]] const char* const kMakers[] = {"Acme", "Brix"};

void Record(const char* call, const std::string& argument) {
    const char* path = std::getenv("CLTEST_CALLS");
    if (path == nullptr) {
        return;
    }
    if (std::FILE* file = std::fopen(path, "a")) {
        std::fprintf(file, "%s %s %s\n", CL_LIBRARY_NAME, call, argument.c_str());
        std::fclose(file);
    }
}

[[maybe_unused]] bool Omitted(const char* entryPoint) {
    const char* omitted = std::getenv("CLTEST_OMIT");
    return omitted != nullptr && std::strcmp(omitted, entryPoint) == 0;
}

[[maybe_unused]] uint32_t EnvironmentNumber(const char* name, uint32_t fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0'
               ? static_cast<uint32_t>(std::strtoul(value, nullptr, 0))
               : fallback;
}

[[maybe_unused]] uint32_t PortCount() {
    const uint32_t count = EnvironmentNumber("CLTEST_PORTS", 1);
    return count < 2 ? count : 2;
}

using Clock = std::chrono::steady_clock;

#ifdef _WIN32

struct Port {
    HANDLE handle;
};

bool SetSpeed(Port& port, uint32_t bit) {
    DCB line{};
    line.DCBlength = sizeof line;
    // The interface's bit values are the camera's rate codes.
    const int rate = BaudRate::FromCode(static_cast<int>(bit));
    if (rate == 0 || !GetCommState(port.handle, &line)) {
        return false;
    }
    line.BaudRate = static_cast<DWORD>(rate);
    line.ByteSize = 8;
    line.Parity = NOPARITY;
    line.StopBits = ONESTOPBIT;
    line.fBinary = TRUE;
    return SetCommState(port.handle, &line) != FALSE;
}

Port* OpenDevice(const char* device) {
    const std::string path = std::string("\\\\.\\") + device;
    const HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;  // a read takes what is there and returns
    SetCommTimeouts(handle, &timeouts);
    return new Port{handle};
}

void CloseDevice(Port* port) {
    CloseHandle(port->handle);
    delete port;
}

uint32_t WriteAll(Port& port, const char* bytes, uint32_t count) {
    DWORD written = 0;
    if (!WriteFile(port.handle, bytes, count, &written, nullptr)) {
        return 0;
    }
    FlushFileBuffers(port.handle);
    return written;
}

// Reads what comes until count bytes are in or the deadline passed; failed is set when the
// device went away.
uint32_t ReadUntil(Port& port, char* buffer, uint32_t count, Clock::time_point deadline,
                   bool& failed) {
    uint32_t got = 0;
    while (got < count) {
        DWORD errors = 0;
        COMSTAT status{};
        if (!ClearCommError(port.handle, &errors, &status)) {
            failed = true;
            break;
        }
        if (status.cbInQue == 0) {
            if (Clock::now() >= deadline) {
                break;
            }
            Sleep(1);
            continue;
        }
        DWORD read = 0;
        if (!ReadFile(port.handle, buffer + got, count - got, &read, nullptr)) {
            failed = true;
            break;
        }
        got += read;
    }
    return got;
}

#else

struct Port {
    int fd;
};

bool SetSpeed(Port& port, uint32_t bit) {
    speed_t speed = B0;
    switch (bit) {
        case 1:
            speed = B9600;
            break;
        case 2:
            speed = B19200;
            break;
        case 4:
            speed = B38400;
            break;
        case 8:
            speed = B57600;
            break;
        case 16:
            speed = B115200;
            break;
        default:
            return false;
    }
    termios settings{};
    return tcgetattr(port.fd, &settings) == 0 && cfsetspeed(&settings, speed) == 0 &&
           tcsetattr(port.fd, TCSANOW, &settings) == 0;
}

Port* OpenDevice(const char* device) {
    const int fd = open(device, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    termios settings{};
    tcgetattr(fd, &settings);
    cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    tcsetattr(fd, TCSANOW, &settings);
    return new Port{fd};
}

void CloseDevice(Port* port) {
    close(port->fd);
    delete port;
}

uint32_t WriteAll(Port& port, const char* bytes, uint32_t count) {
    uint32_t sent = 0;
    while (sent < count) {
        const ssize_t written = write(port.fd, bytes + sent, count - sent);
        if (written <= 0) {
            break;
        }
        sent += static_cast<uint32_t>(written);
    }
    tcdrain(port.fd);
    return sent;
}

// Reads what comes until count bytes are in or the deadline passed; failed is set when the
// device went away (the simulated camera closed its pseudo terminal).
uint32_t ReadUntil(Port& port, char* buffer, uint32_t count, Clock::time_point deadline,
                   bool& failed) {
    uint32_t got = 0;
    while (got < count) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd wait{port.fd, POLLIN, 0};
        if (left < 0 || poll(&wait, 1, static_cast<int>(left)) <= 0) {
            break;
        }
        const ssize_t read = ::read(port.fd, buffer + got, count - got);
        if (read <= 0) {
            failed = (wait.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
            break;
        }
        got += static_cast<uint32_t>(read);
    }
    return got;
}

#endif

[[maybe_unused]] void CopyText(const char* text, char* buffer, uint32_t* size) {
    if (buffer != nullptr && size != nullptr && *size > 0) {
        std::snprintf(buffer, *size, "%s", text);
        *size = static_cast<uint32_t>(std::strlen(text) + 1);
    }
}

}  // namespace

#ifdef _WIN32
// A DLL exports its entry points by name; all of them, always.
#define CL_ENTRY(name) \
    __declspec(dllexport) decltype(name##Impl) name __attribute__((alias(#name "Impl")));
#else
// Every entry point is bound at lookup time, so that CLTEST_OMIT can leave one out.
#define CL_ENTRY(name)                                 \
    decltype(&name##Impl) name##Resolve() {            \
        return Omitted(#name) ? nullptr : &name##Impl; \
    }                                                  \
    decltype(name##Impl) name __attribute__((ifunc(#name "Resolve")));
#endif

extern "C" {

static int32_t clSerialInitImpl(uint32_t serialIndex, void** serialRef) {
    Record("clSerialInit", std::to_string(serialIndex));
    if (std::getenv("CLTEST_FAIL_INIT") != nullptr) {
        return kClErrorInvalidIndex;
    }
    const char* device = std::getenv("CLTEST_DEVICE");
    Port* port = device != nullptr ? OpenDevice(device) : nullptr;
    if (port == nullptr) {
        return kClErrorInvalidIndex;
    }
    SetSpeed(*port, 1);  // a grabber's serial channel starts at 9600 bit/s
    *serialRef = port;
    return 0;
}
CL_ENTRY(clSerialInit)

static void clSerialCloseImpl(void* serialRef) {
    Record("clSerialClose", "");
    if (serialRef != nullptr) {
        CloseDevice(static_cast<Port*>(serialRef));
    }
}
CL_ENTRY(clSerialClose)

static int32_t clSerialWriteImpl(void* serialRef, char* buffer, uint32_t* byteCount, uint32_t) {
    Record("clSerialWrite", std::string(buffer, *byteCount));
    if (serialRef == nullptr) {
        return kClErrorInvalidReference;
    }
    const uint32_t sent = WriteAll(*static_cast<Port*>(serialRef), buffer, *byteCount);
    const bool complete = sent == *byteCount;
    *byteCount = sent;
    return complete ? 0 : kClErrorTimeout;
}
CL_ENTRY(clSerialWrite)

static int32_t clSerialReadImpl(void* serialRef, char* buffer, uint32_t* byteCount,
                                uint32_t timeoutMs) {
    Record("clSerialRead", std::to_string(*byteCount));
    if (serialRef == nullptr) {
        return kClErrorInvalidReference;
    }
    bool failed = false;
    const uint32_t got = ReadUntil(*static_cast<Port*>(serialRef), buffer, *byteCount,
                                   Clock::now() + std::chrono::milliseconds(timeoutMs), failed);
    const bool complete = got == *byteCount;
    *byteCount = got;
    if (failed) {
        return kClErrorInvalidReference;  // what a grabber's library says of a port gone dead
    }
    return complete ? 0 : kClErrorTimeout;
}
CL_ENTRY(clSerialRead)

#if CL_GENERATION != 2000

static int32_t clGetSupportedBaudRatesImpl(void* serialRef, uint32_t* baudRates) {
    Record("clGetSupportedBaudRates", "");
    if (serialRef == nullptr) {
        return kClErrorInvalidReference;
    }
    *baudRates = EnvironmentNumber("CLTEST_BAUD_MASK", 31);
    return 0;
}
CL_ENTRY(clGetSupportedBaudRates)

static int32_t clSetBaudRateImpl(void* serialRef, uint32_t baudRate) {
    Record("clSetBaudRate", std::to_string(baudRate));
    if (serialRef == nullptr) {
        return kClErrorInvalidReference;
    }
    return SetSpeed(*static_cast<Port*>(serialRef), baudRate) ? 0 : kClErrorInvalidIndex;
}
CL_ENTRY(clSetBaudRate)

static int32_t clGetErrorTextImpl(int32_t, char* text, uint32_t* size) {
    CopyText("test library error", text, size);
    return 0;
}
CL_ENTRY(clGetErrorText)

#endif

#if CL_GENERATION == 2001

static int32_t clGetNumManufacturersImpl(uint32_t* count) {
    *count = PortCount();
    return 0;
}
CL_ENTRY(clGetNumManufacturers)

static int32_t clGetManufacturerImpl(uint32_t index, char* name, uint32_t* bufferSize,
                                     uint32_t* version) {
    if (index >= PortCount()) {
        return kClErrorInvalidIndex;
    }
    CopyText(kMakers[index], name, bufferSize);
    *version = 0x0101;
    return 0;
}
CL_ENTRY(clGetManufacturer)

static int32_t clSelectManufacturerImpl(const char* name) {
    Record("clSelectManufacturer", name);
    for (uint32_t index = 0; index < PortCount(); ++index) {
        if (std::strcmp(name, kMakers[index]) == 0) {
            return 0;
        }
    }
    return kClErrorInvalidIndex;
}
CL_ENTRY(clSelectManufacturer)

static int32_t clGetNumSerialPortsImpl(uint32_t* count) {
    *count = 1;
    return 0;
}
CL_ENTRY(clGetNumSerialPorts)

static int32_t clGetSerialPortIdentifierImpl(uint32_t, char* portId, uint32_t* bufferSize) {
    CopyText("Port0", portId, bufferSize);
    return 0;
}
CL_ENTRY(clGetSerialPortIdentifier)

#endif

#if CL_GENERATION == 11

static int32_t clFlushPortImpl(void*) {
    return 0;
}
CL_ENTRY(clFlushPort)

static int32_t clGetNumPortsImpl(uint32_t* count) {
    *count = PortCount();
    return 0;
}
CL_ENTRY(clGetNumPorts)

static int32_t clGetNumBytesAvailImpl(void*, uint32_t* count) {
    *count = 0;
    return 0;
}
CL_ENTRY(clGetNumBytesAvail)

static int32_t clGetPortInfoImpl(uint32_t index, char* manufacturer, uint32_t* manufacturerSize,
                                 char* portId, uint32_t* portIdSize, uint32_t* version) {
    if (index >= PortCount()) {
        return kClErrorInvalidIndex;
    }
    CopyText("Acme", manufacturer, manufacturerSize);
    CopyText(("Port" + std::to_string(index)).c_str(), portId, portIdSize);
    *version = 0x0101;
    return 0;
}
CL_ENTRY(clGetPortInfo)

#endif

}  // extern "C"
