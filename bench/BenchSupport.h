#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

// What the benchmarks against the simulated camera share.

// rvsim on a pseudo terminal at the rate (paced at line speed), until destroyed.
class Simulator {
public:
    Simulator(const std::string& rvsim, int baud);
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;
    const std::string& Device() const { return device_; }
    // The processor time the simulator has used so far.
    double ProcessorSeconds() const;

private:
    pid_t pid_ = -1;
    std::string device_;
};

// The reference: a raw serial line, a request written whole, the reply read until its LF.
class PlainClient {
public:
    PlainClient(const std::string& device, int baud);
    ~PlainClient();
    PlainClient(const PlainClient&) = delete;
    PlainClient& operator=(const PlainClient&) = delete;
    bool Ask(const std::string& request);

private:
    int fd_ = -1;
};

// The seconds run takes; a run that fails ends the benchmark.
double Seconds(const std::function<bool()>& run);

// Runs a program with the arguments and extra environment ("NAME=value") to its end; true when
// it exited with 0. Its standard output goes into the file named (replaced), discarded by default;
// the processor time it used goes into processorSeconds when given.
bool RunProgram(const std::vector<std::string>& arguments,
                const std::vector<std::string>& environment,
                const std::string& output = "/dev/null", double* processorSeconds = nullptr);

// The processor time this process has used so far, every thread's.
double OwnProcessorSeconds();

// The median of the values.
double Median(std::vector<double> values);
