// Holds a serial device as another copy of the program would (open, flock on it), says "held"
// on its output, and keeps it until its input closes.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        return 2;
    }
    const int device = open(argv[1], O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (device < 0 || flock(device, LOCK_EX | LOCK_NB) != 0) {
        return 1;
    }
    std::puts("held");
    std::fflush(stdout);
    char byte = 0;
    while (read(STDIN_FILENO, &byte, 1) > 0) {
    }
    close(device);
    return 0;
}
