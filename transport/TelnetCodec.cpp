#include "transport/TelnetCodec.h"

namespace {

constexpr uint8_t kIac = 255;
constexpr uint8_t kDont = 254;
constexpr uint8_t kDo = 253;
constexpr uint8_t kWont = 252;
constexpr uint8_t kWill = 251;
constexpr uint8_t kSb = 250;
constexpr uint8_t kSe = 240;

constexpr uint8_t kBinary = 0;
constexpr uint8_t kSuppressGoAhead = 3;
constexpr uint8_t kComPort = 44;

// The options this client takes on its side and wants on the server's.
bool WeWill(uint8_t option) {
    return option == kBinary || option == kSuppressGoAhead || option == kComPort;
}
bool WeWant(uint8_t option) {
    return option == kBinary || option == kSuppressGoAhead;
}

void Append(std::string& wire, uint8_t verb, uint8_t option) {
    wire += static_cast<char>(kIac);
    wire += static_cast<char>(verb);
    wire += static_cast<char>(option);
}

}  // namespace

void TelnetCodec::AppendData(const char* bytes, int32_t count, std::string& wire) {
    for (int32_t i = 0; i < count; ++i) {
        wire += bytes[i];
        if (static_cast<uint8_t>(bytes[i]) == kIac) {
            wire += static_cast<char>(kIac);
        }
    }
}

std::string TelnetCodec::Command(uint8_t command, const std::string& value) {
    std::string wire = {static_cast<char>(kIac), static_cast<char>(kSb),
                        static_cast<char>(kComPort), static_cast<char>(command)};
    AppendData(value.data(), static_cast<int32_t>(value.size()), wire);
    wire += static_cast<char>(kIac);
    wire += static_cast<char>(kSe);
    return wire;
}

std::string TelnetCodec::Greeting() {
    std::string wire;
    for (const uint8_t option : {kComPort, kBinary, kSuppressGoAhead}) {
        Append(wire, kWill, option);
        weSaid_[option] = kWill;
    }
    for (const uint8_t option : {kBinary, kSuppressGoAhead}) {
        Append(wire, kDo, option);
        weAsked_[option] = kDo;
    }
    return wire;
}

void TelnetCodec::Take(const char* bytes, int32_t count, std::string& data, std::string& reply) {
    for (int32_t i = 0; i < count; ++i) {
        const uint8_t byte = static_cast<uint8_t>(bytes[i]);
        switch (state_) {
            case State::Data:
                if (byte == kIac) {
                    state_ = State::Command;
                } else {
                    data += static_cast<char>(byte);
                }
                break;
            case State::Command:
                if (byte == kIac) {
                    data += static_cast<char>(byte);
                    state_ = State::Data;
                } else if (byte >= kWill && byte <= kDont) {
                    verb_ = byte;
                    state_ = State::Option;
                } else if (byte == kSb) {
                    subnegotiation_.clear();
                    state_ = State::Subnegotiation;
                } else {
                    state_ = State::Data;  // NOP, go-ahead and the like mean nothing here
                }
                break;
            case State::Option:
                Negotiate(verb_, byte, reply);
                state_ = State::Data;
                break;
            case State::Subnegotiation:
                if (byte == kIac) {
                    state_ = State::SubnegotiationCommand;
                } else if (subnegotiation_.size() < kLongestSubnegotiation) {
                    subnegotiation_ += static_cast<char>(byte);
                }
                break;
            case State::SubnegotiationCommand:
                if (byte == kIac) {
                    if (subnegotiation_.size() < kLongestSubnegotiation) {
                        subnegotiation_ += static_cast<char>(byte);
                    }
                    state_ = State::Subnegotiation;
                } else {
                    // SE, or a server that forgot it: the subnegotiation ends either way.
                    Subnegotiated();
                    state_ = byte == kSe ? State::Data : State::Command;
                    if (state_ == State::Command) {
                        --i;  // the byte is the start of the next command
                    }
                }
                break;
        }
    }
}

void TelnetCodec::Negotiate(uint8_t verb, uint8_t option, std::string& reply) {
    switch (verb) {
        case kDo:
            if (option == kComPort) {
                comPortAccepted_ = true;
            }
            if (weSaid_[option] == 0 || (weSaid_[option] == kWill) != WeWill(option)) {
                weSaid_[option] = WeWill(option) ? kWill : kWont;
                Append(reply, weSaid_[option], option);
            }
            break;
        case kDont:
            if (option == kComPort) {
                comPortRefused_ = true;
            }
            if (weSaid_[option] != kWont) {
                weSaid_[option] = kWont;
                Append(reply, kWont, option);
            }
            break;
        case kWill:
            if (weAsked_[option] == 0 || (weAsked_[option] == kDo) != WeWant(option)) {
                weAsked_[option] = WeWant(option) ? kDo : kDont;
                Append(reply, weAsked_[option], option);
            }
            break;
        case kWont:
            if (weAsked_[option] != kDont) {
                weAsked_[option] = kDont;
                Append(reply, kDont, option);
            }
            break;
        default:
            break;
    }
}

void TelnetCodec::Subnegotiated() {
    if (subnegotiation_.size() < 2 || static_cast<uint8_t>(subnegotiation_[0]) != kComPort) {
        return;
    }
    const uint8_t command = static_cast<uint8_t>(subnegotiation_[1]);
    if (command == kServerOffset + kSetBaudRate && subnegotiation_.size() >= 6) {
        uint32_t rate = 0;
        for (std::size_t i = 2; i < 6; ++i) {
            rate = (rate << 8) | static_cast<uint8_t>(subnegotiation_[i]);
        }
        answeredBaudRate_ = rate;
    }
}
