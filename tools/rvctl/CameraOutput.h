#pragma once

#include <string>
#include <vector>

#include "tools/rvctl/Record.h"

class Console;

// What one camera's run prints. Results are JSON objects that name the port, or lines that
// start with the port while several cameras run at once; a single camera's lines carry no
// prefix. Several cameras' results are held until their camera is done, so that each camera's
// lines stay together; messages go out at once. Text lines and messages show the camera's
// control characters escaped (PrintableText); JSON escapes them itself.
class CameraOutput {
public:
    // port: empty for results that belong to no camera.
    CameraOutput(Console& console, std::string port, bool json, bool shared);
    ~CameraOutput() { Flush(); }
    CameraOutput(const CameraOutput&) = delete;
    CameraOutput& operator=(const CameraOutput&) = delete;

    void Add(const Record& record);
    // An operator message, as the window would show it.
    void Message(const std::string& text);
    // rvctl's own word on this camera: "rvctl: COM3: ..."; with --json also a result, the
    // record given (or an empty one) with the text as its "error".
    void Error(const std::string& text);
    void Error(const std::string& text, Record record);
    void Flush();

    const std::string& Port() const { return port_; }
    // Text results keep the camera's control characters as they came: the terminal's raw mode,
    // asked for by the operator. Messages stay escaped.
    void KeepControlCharacters() { raw_ = true; }

    bool Json() const { return json_; }
    Console& Screen() { return console_; }

private:
    std::string Prefixed(const std::string& text) const;

    Console& console_;
    std::string port_;
    bool json_;
    bool shared_;
    bool raw_ = false;
    std::vector<std::string> held_;
};
