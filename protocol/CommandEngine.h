#pragma once

#include <cstdint>
#include <string>

// The camera requests that operations make by command id. Each returns only when the
// camera answered or the time-out (milliseconds) passed; failures are reported to the
// operator by the engine itself.
class CommandEngine {
public:
    virtual ~CommandEngine() = default;
    virtual bool SetValue(int cmdId, int32_t value, int timeoutMs) = 0;
    virtual bool SetString(int cmdId, const std::string& text, int timeoutMs) = 0;
    // On false the output keeps what it held.
    virtual bool GetValue(int cmdId, int32_t& value, int timeoutMs) = 0;
    // On false the output is emptied.
    virtual bool GetString(int cmdId, std::string& text, int timeoutMs) = 0;
};
