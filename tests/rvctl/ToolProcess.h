#pragma once

#include <chrono>
#include <csignal>
#include <functional>
#include <string>
#include <vector>

// What a program run as a process left: its exit status (-1 when it had to be killed or did
// not end normally) and everything it wrote.
struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
    std::chrono::milliseconds took{0};
};

// Runs the program with the arguments in this process's environment, feeds it the input and
// closes its standard input; kills it once the limit has passed. interruptWhen, when given, is
// asked while it runs: once it returns true the program gets the signal (SIGINT, as Ctrl+C
// sends it, unless another is named).
ToolRun RunTool(const std::string& program, const std::vector<std::string>& args,
                const std::string& input = std::string(),
                std::chrono::milliseconds limit = std::chrono::seconds(30),
                const std::function<bool()>& interruptWhen = nullptr, int signal = SIGINT);
