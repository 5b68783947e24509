#pragma once

#include <sys/types.h>

#include <string>

// Debian's ser2net in front of a serial device (rvsim's pseudo terminal), listening on
// loopback only, on a free port found at Start. Killed when destroyed; can be stopped and
// started again on the same port, as a device server that is switched off and on.
class Ser2net {
public:
    enum class Accepter { Raw, Rfc2217 };

    // folder: where its configuration and its log go.
    explicit Ser2net(std::string folder);
    ~Ser2net();
    Ser2net(const Ser2net&) = delete;
    Ser2net& operator=(const Ser2net&) = delete;

    // Whether the ser2net program is installed; tests skip without it.
    static bool Installed();
    // A TCP port on 127.0.0.1 that nothing listens on at the moment.
    static int FreePort();

    // Serves the device at the rate (the line's setting at each connection) through the
    // accepter; true once it listens.
    bool Start(const std::string& device, int baud, Accepter accepter);
    // Ends it as a crash would (SIGKILL), closing every connection.
    void Stop();
    // Starts it again with the same configuration, on the same port.
    bool Restart();

    int Port() const { return port_; }
    // The port name that reaches it: socket://127.0.0.1:PORT or rfc2217://127.0.0.1:PORT.
    std::string PortName() const;

private:
    bool Launch();
    bool Listening() const;

    std::string folder_;
    std::string config_;
    Accepter accepter_ = Accepter::Raw;
    int port_ = 0;
    pid_t pid_ = -1;
};
