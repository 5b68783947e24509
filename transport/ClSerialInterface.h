#pragma once

#include <cstdint>

// The calls of the Camera Link serial interface that the adapters use, as the grabber makers'
// libraries export them. Every call returns 0 on success.
#ifdef _WIN32
#define CL_SERIAL_CALL __cdecl
#else
#define CL_SERIAL_CALL
#endif

extern "C" {
using ClSerialInitFunction = int32_t(CL_SERIAL_CALL*)(uint32_t serialIndex, void** serialRef);
using ClSerialCloseFunction = void(CL_SERIAL_CALL*)(void* serialRef);
using ClSerialReadFunction = int32_t(CL_SERIAL_CALL*)(void* serialRef, char* buffer,
                                                      uint32_t* byteCount, uint32_t timeoutMs);
using ClSerialWriteFunction = int32_t(CL_SERIAL_CALL*)(void* serialRef, char* buffer,
                                                       uint32_t* byteCount, uint32_t timeoutMs);
using ClGetSupportedBaudRatesFunction = int32_t(CL_SERIAL_CALL*)(void* serialRef,
                                                                 uint32_t* baudRates);
using ClSetBaudRateFunction = int32_t(CL_SERIAL_CALL*)(void* serialRef, uint32_t baudRate);
using ClGetNumManufacturersFunction = int32_t(CL_SERIAL_CALL*)(uint32_t* count);
using ClGetManufacturerFunction = int32_t(CL_SERIAL_CALL*)(uint32_t index, char* name,
                                                           uint32_t* bufferSize, uint32_t* version);
using ClSelectManufacturerFunction = int32_t(CL_SERIAL_CALL*)(const char* name);
using ClGetNumPortsFunction = int32_t(CL_SERIAL_CALL*)(uint32_t* count);
using ClGetPortInfoFunction = int32_t(CL_SERIAL_CALL*)(uint32_t index, char* manufacturer,
                                                       uint32_t* manufacturerSize, char* portId,
                                                       uint32_t* portIdSize, uint32_t* version);
}

// The interface's result of a read or write whose time-out passed. Any other failure of a read
// means the port itself failed: the grabber or its driver went away.
constexpr int32_t kClErrorTimeout = -10004;

// Size of the text buffers handed to the listing calls.
constexpr uint32_t kClTextBufferSize = 128;

// The interface's bit value of a baud rate: 9600 is 1, each next rate of the series the next
// bit up to 921600 (128); any other rate has none (0).
inline uint32_t ClBaudRateBit(int32_t baudRate) {
    const int32_t series[] = {9600, 19200, 38400, 57600, 115200, 230400, 460800, 921600};
    for (uint32_t bit = 0; bit < sizeof series / sizeof series[0]; ++bit) {
        if (series[bit] == baudRate) {
            return 1u << bit;
        }
    }
    return 0;
}
