#pragma once

#include <string>
#include <string_view>

// Bytes shown as one printable line: backslash, CR, LF and TAB as \\, \r, \n and \t, any other
// byte outside 0x20..0x7e as \xNN. Used by the transcript and the state file.
std::string EscapeText(std::string_view bytes);

// The reverse; false for a malformed escape (the output is then incomplete).
bool UnescapeText(std::string_view text, std::string& bytes);
