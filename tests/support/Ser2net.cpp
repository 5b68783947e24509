#include "tests/support/Ser2net.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#include "tests/support/SpawnProcess.h"

namespace {

const char* const kProgram = "/usr/sbin/ser2net";

}  // namespace

Ser2net::Ser2net(std::string folder) : folder_(std::move(folder)) {}

Ser2net::~Ser2net() {
    Stop();
}

bool Ser2net::Installed() {
    return access(kProgram, X_OK) == 0;
}

int Ser2net::FreePort() {
    const int probe = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    int port = 0;
    if (probe >= 0 && bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size) == 0) {
        port = ntohs(address.sin_port);
    }
    if (probe >= 0) {
        close(probe);
    }
    return port;
}

bool Ser2net::Start(const std::string& device, int baud, Accepter accepter) {
    Stop();
    accepter_ = accepter;
    port_ = FreePort();
    config_ = folder_ + "/ser2net-" + std::to_string(port_) + ".yaml";
    const std::string protocol = accepter == Accepter::Rfc2217 ? "telnet(rfc2217),tcp" : "tcp";
    std::ofstream file(config_);
    file << "%YAML 1.1\n---\n"
         << "connection: &camera\n"
         << "  accepter: " << protocol << ",127.0.0.1," << port_ << "\n"
         << "  connector: serialdev," << device << "," << baud << "n81,local\n";
    file.close();
    return file.good() && Launch();
}

bool Ser2net::Restart() {
    Stop();
    return Launch();
}

void Ser2net::Stop() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
}

std::string Ser2net::PortName() const {
    return (accepter_ == Accepter::Rfc2217 ? "rfc2217://127.0.0.1:" : "socket://127.0.0.1:") +
           std::to_string(port_);
}

bool Ser2net::Launch() {
    const std::string log = folder_ + "/ser2net-" + std::to_string(port_) + ".log";
    const int output = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    pid_ = SpawnProcess(kProgram, {"-n", "-d", "-c", config_}, -1, output, output);
    if (output >= 0) {
        close(output);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (pid_ > 0 && std::chrono::steady_clock::now() < deadline) {
        if (Listening()) {
            return true;
        }
        if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
            pid_ = -1;  // it refused the configuration or the port
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

// Looked up in the system's table rather than by connecting, which ser2net would take for a
// client and answer by opening the device.
bool Ser2net::Listening() const {
    std::ifstream table("/proc/net/tcp");
    std::string line;
    std::getline(table, line);  // the heading
    char wanted[32];
    std::snprintf(wanted, sizeof wanted, "0100007F:%04X", port_);
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string slot, local, remote, state;
        if (fields >> slot >> local >> remote >> state && local == wanted && state == "0A") {
            return true;
        }
    }
    return false;
}
