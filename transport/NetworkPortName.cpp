#include "transport/NetworkPortName.h"

#include <cctype>

namespace {

constexpr const char* kRawScheme = "socket://";
constexpr const char* kRfc2217Scheme = "rfc2217://";

// Schemes are matched regardless of case, as in any URL.
bool StartsWith(const std::string& name, const std::string& prefix) {
    if (name.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(name[i])) != prefix[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool NetworkPortName::Is(const std::string& name) {
    return StartsWith(name, kRawScheme) || StartsWith(name, kRfc2217Scheme);
}

bool NetworkPortName::Parse(const std::string& name, NetworkPortName& parsed, std::string& error) {
    std::string rest;
    if (StartsWith(name, kRawScheme)) {
        parsed.kind = Kind::Raw;
        rest = name.substr(std::string(kRawScheme).size());
    } else if (StartsWith(name, kRfc2217Scheme)) {
        parsed.kind = Kind::Rfc2217;
        rest = name.substr(std::string(kRfc2217Scheme).size());
    } else {
        error = name + ": not a network port; write socket://HOST:PORT or rfc2217://HOST:PORT";
        return false;
    }
    std::string portText;
    if (!rest.empty() && rest[0] == '[') {
        const std::size_t close = rest.find(']');
        if (close == std::string::npos) {
            error = name + ": the IPv6 address has no closing ']'";
            return false;
        }
        parsed.host = rest.substr(1, close - 1);
        if (close + 1 >= rest.size() || rest[close + 1] != ':') {
            error = name + ": no port after the host; write HOST:PORT";
            return false;
        }
        portText = rest.substr(close + 2);
    } else {
        const std::size_t colon = rest.rfind(':');
        if (colon == std::string::npos) {
            error = name + ": no port after the host; write HOST:PORT";
            return false;
        }
        parsed.host = rest.substr(0, colon);
        portText = rest.substr(colon + 1);
        if (parsed.host.find(':') != std::string::npos) {
            error = name + ": an IPv6 address goes in brackets: [ADDRESS]:PORT";
            return false;
        }
    }
    if (parsed.host.empty()) {
        error = name + ": no host before the port";
        return false;
    }
    for (const char c : parsed.host) {
        if (std::isspace(static_cast<unsigned char>(c)) || c == '/' || c == '[' || c == ']') {
            error = name + ": '" + parsed.host + "' is no host name or address";
            return false;
        }
    }
    long port = 0;
    bool digits = !portText.empty() && portText.size() <= 5;
    for (const char c : portText) {
        digits = digits && c >= '0' && c <= '9';
        port = digits ? port * 10 + (c - '0') : port;
    }
    if (portText.empty()) {
        error = name + ": no port after the host; write HOST:PORT";
        return false;
    }
    if (!digits || port < 1 || port > 65535) {
        error = name + ": the port must be a number from 1 to 65535, not '" + portText + "'";
        return false;
    }
    parsed.port = static_cast<uint16_t>(port);
    return true;
}

std::string NetworkPortName::Server() const {
    const std::string shown = host.find(':') != std::string::npos ? "[" + host + "]" : host;
    return shown + ":" + std::to_string(port);
}
