#pragma once

// The camera's serial rates and the codes that CBDRT carries for them.
namespace BaudRate {

constexpr int kDefaultRate = 9600;

// Code 1, 2, 4, 8 or 16 to its rate; 0 for any other code.
constexpr int FromCode(int code) {
    switch (code) {
        case 1:
            return 9600;
        case 2:
            return 19200;
        case 4:
            return 38400;
        case 8:
            return 57600;
        case 16:
            return 115200;
        default:
            return 0;
    }
}

// Rate to its code; 0 for a rate the camera does not offer.
constexpr int ToCode(int rate) {
    switch (rate) {
        case 9600:
            return 1;
        case 19200:
            return 2;
        case 38400:
            return 4;
        case 57600:
            return 8;
        case 115200:
            return 16;
        default:
            return 0;
    }
}

}  // namespace BaudRate
