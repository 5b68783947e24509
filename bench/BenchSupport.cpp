#include "bench/BenchSupport.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

Simulator::Simulator(const std::string& rvsim, int baud) {
    int out[2];
    if (pipe(out) != 0) {
        std::exit(1);
    }
    pid_ = fork();
    if (pid_ == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        const std::string rate = std::to_string(baud);
        execl(rvsim.c_str(), rvsim.c_str(), "--baud", rate.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    char c = 0;
    while (read(out[0], &c, 1) == 1 && c != '\n') {
        device_ += c;
    }
    close(out[0]);
}

Simulator::~Simulator() {
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
}

double Simulator::ProcessorSeconds() const {
    // /proc/<pid>/stat: the 14th and 15th fields, after the name in parentheses, are the user
    // and system time in clock ticks.
    std::ifstream stat("/proc/" + std::to_string(pid_) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const std::size_t name = text.rfind(')');
    if (name == std::string::npos) {
        return 0;
    }
    std::size_t at = name + 2;
    for (int field = 3; field < 14 && at != std::string::npos; ++field) {
        at = text.find(' ', at) + 1;
    }
    char* end = nullptr;
    const double user = std::strtod(text.c_str() + at, &end);
    const double system = std::strtod(end, nullptr);
    return (user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

PlainClient::PlainClient(const std::string& device, int baud) {
    fd_ = open(device.c_str(), O_RDWR | O_NOCTTY);
    termios line{};
    tcgetattr(fd_, &line);
    cfmakeraw(&line);
    cfsetspeed(&line, baud == 9600 ? B9600 : baud == 38400 ? B38400 : B115200);
    tcsetattr(fd_, TCSANOW, &line);
}

PlainClient::~PlainClient() {
    close(fd_);
}

bool PlainClient::Ask(const std::string& request) {
    if (write(fd_, request.data(), request.size()) != static_cast<ssize_t>(request.size())) {
        return false;
    }
    char c = 0;
    while (read(fd_, &c, 1) == 1) {
        if (c == '\n') {
            return true;
        }
    }
    return false;
}

double Seconds(const std::function<bool()>& run) {
    const auto start = std::chrono::steady_clock::now();
    if (!run()) {
        std::fprintf(stderr, "a request failed\n");
        std::exit(1);
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

bool RunProgram(const std::vector<std::string>& arguments,
                const std::vector<std::string>& environment, const std::string& output,
                double* processorSeconds) {
    const pid_t pid = fork();
    if (pid == 0) {
        const int file = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(file, STDOUT_FILENO);
        for (const std::string& variable : environment) {
            putenv(const_cast<char*>(variable.c_str()));
        }
        std::vector<char*> argv;
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (processorSeconds != nullptr) {
        *processorSeconds =
            static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
            1e-6 * static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double OwnProcessorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           1e-6 * static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
}
