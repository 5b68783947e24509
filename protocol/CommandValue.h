#pragma once

#include <cstdint>
#include <string>

// A value passed into and out of the command engine.
struct CommandValue {
    int32_t kind = 0;  // value kind of the command table
    int32_t integer = 0;
    double decimal = 0.0;
    std::string text;
};
