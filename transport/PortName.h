#pragma once

#include <optional>
#include <string>

// The names a port of the COM category goes by: "COM<n>" (COM1 ... COM256, in any letter case,
// spelt "COM3" from then on), a device path or any symlink to one ("/dev/ttyUSB0",
// "/dev/serial/by-id/..."), and the network names of serial device servers
// ("socket://HOST:PORT", "rfc2217://HOST:PORT"). The name as it is to be kept, or nothing for
// a text that is none of these or a malformed network name.
std::optional<std::string> CanonicalPortName(const std::string& text);

// Why a text is no port name, for the operator: what is wrong with a network name, or which
// names are taken. otherForms adds the forms a caller takes beside them ("CLc-i for ...").
std::string PortNameProblem(const std::string& text, const std::string& otherForms = "");
