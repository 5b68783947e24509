#pragma once

#include <cstdint>
#include <string>

// How the last request ended, for the words that tell the operator what happened.
struct RequestOutcome {
    enum class Kind {
        Answered,  // confirmed, or the value came
        Refused,   // the camera answered with anything else
        NoAnswer,  // nothing came within the time-out
        NotSent,   // another request was in progress, or the command is unknown
    };
    Kind kind = Kind::Answered;
    std::string reply;  // the camera's line when it refused, or answered a query
    int timeoutMs = 0;  // how long it was waited for
};

// The camera requests that operations make by command id. Each returns only when the
// camera answered or the time-out (milliseconds) passed; failures are reported to the
// operator by the engine itself.
class CommandEngine {
public:
    // How often the programs drain what no request waits for.
    static constexpr int kDrainPeriodMs = 25;

    virtual ~CommandEngine() = default;
    virtual bool SetValue(int cmdId, int32_t value, int timeoutMs) = 0;
    virtual bool SetString(int cmdId, const std::string& text, int timeoutMs) = 0;
    // On false the output keeps what it held.
    virtual bool GetValue(int cmdId, int32_t& value, int timeoutMs) = 0;
    // On false the output is emptied.
    virtual bool GetString(int cmdId, std::string& text, int timeoutMs) = 0;
    // An engine that does not tell reports every request as answered.
    virtual RequestOutcome LastOutcome() const { return {}; }
    // One tick of the periodic drain of lines no request waits for.
    virtual void OnTimer() {}
    // A request or a drain is in progress: nothing else may use the port now.
    virtual bool Busy() const { return false; }
};
