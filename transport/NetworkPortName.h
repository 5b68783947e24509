#pragma once

#include <cstdint>
#include <string>

// A port name that reaches a serial line through a device server on the network:
// "socket://HOST:PORT" (raw TCP, the far line keeps the server's settings) or
// "rfc2217://HOST:PORT" (telnet with the COM-PORT option: this side sets the far line). HOST is
// a name, an IPv4 address or an IPv6 address in brackets.
struct NetworkPortName {
    enum class Kind { Raw, Rfc2217 };

    Kind kind = Kind::Raw;
    std::string host;  // without the brackets of an IPv6 address
    uint16_t port = 0;

    // Whether the name asks for a network port at all, well formed or not.
    static bool Is(const std::string& name);
    // Splits a network port name; false with what is wrong with it in error.
    static bool Parse(const std::string& name, NetworkPortName& parsed, std::string& error);

    // "HOST:PORT" as the operator writes it, brackets and all.
    std::string Server() const;
};
