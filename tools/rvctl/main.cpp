// rvctl: the RV Control Tool's flows from the command line.
#include <iostream>
#include <string>
#include <vector>

#include "tools/rvctl/Rvctl.h"

#ifdef _WIN32
#include <io.h>
#define RVCTL_ISATTY(stream) _isatty(_fileno(stream))
#else
#include <unistd.h>
#define RVCTL_ISATTY(stream) isatty(fileno(stream))
#endif

int main(int argc, char* argv[]) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const int status = RunRvctl(args, std::cout, std::cerr, RVCTL_ISATTY(stderr) != 0);
    // A result or message that never reached its stream (a full disk) is a failed run, however
    // well the camera did; the console said so where it could.
    const bool lost = !std::cout.flush() || !std::cerr.flush();
    return lost && status == 0 ? 1 : status;
}
