#pragma once

#include <cstdint>
#include <string>

// The telnet layer of an RFC 2217 connection, client side: data bytes escaped on the way out
// and picked out of the stream on the way in, the server's option negotiation answered, and
// the server's answers to COM-PORT-OPTION commands kept for the caller to check.
class TelnetCodec {
public:
    // COM-PORT-OPTION commands from the client; the server answers each with its code + 100.
    enum ComPortCommand : uint8_t {
        kSetBaudRate = 1,
        kSetDataSize = 2,
        kSetParity = 3,
        kSetStopSize = 4,
        kSetControl = 5,
        kPurgeData = 12,
        kServerOffset = 100,
    };

    // Appends data bytes as they go on the wire: every 255 (IAC) doubled.
    static void AppendData(const char* bytes, int32_t count, std::string& wire);
    // A COM-PORT-OPTION command with its value, escaped and framed as a subnegotiation.
    static std::string Command(uint8_t command, const std::string& value);

    // What the client says first: it will speak COM-PORT-OPTION, and asks for binary
    // transmission and no go-aheads both ways, so that every byte passes as it is.
    std::string Greeting();

    // Takes bytes as they came from the server: the data bytes are appended to data, what
    // the client must answer to the server's negotiation to reply.
    void Take(const char* bytes, int32_t count, std::string& data, std::string& reply);

    // The server agreed to COM-PORT-OPTION (DO), or refused it (DONT).
    bool ComPortAccepted() const { return comPortAccepted_; }
    bool ComPortRefused() const { return comPortRefused_; }
    // The rate of the server's last answer to SET-BAUDRATE since ForgetBaudRate; 0 when none
    // came (0 is also no rate a server sets).
    uint32_t AnsweredBaudRate() const { return answeredBaudRate_; }
    void ForgetBaudRate() { answeredBaudRate_ = 0; }

private:
    enum class State { Data, Command, Option, Subnegotiation, SubnegotiationCommand };
    static constexpr std::size_t kLongestSubnegotiation = 64;

    void Negotiate(uint8_t verb, uint8_t option, std::string& reply);
    void Subnegotiated();

    State state_ = State::Data;
    uint8_t verb_ = 0;
    std::string subnegotiation_;
    // Per option, what this side said last, so that an agreement is answered once and never
    // echoed back and forth.
    uint8_t weSaid_[256] = {};   // WILL or WONT, 0 before either
    uint8_t weAsked_[256] = {};  // DO or DONT, 0 before either
    bool comPortAccepted_ = false;
    bool comPortRefused_ = false;
    uint32_t answeredBaudRate_ = 0;
};
