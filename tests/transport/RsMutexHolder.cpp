// Takes the lock "Rs Mutex" as another copy of the program would, says "held" on its output,
// and keeps the lock until its input closes.
#include <unistd.h>

#include <cstdio>

#include "platform/NamedLock.h"

int main() {
    std::unique_ptr<NamedLock> lock = NamedLock::Create("Rs Mutex");
    lock->Lock();
    std::puts("held");
    std::fflush(stdout);
    char byte = 0;
    while (read(STDIN_FILENO, &byte, 1) > 0) {
    }
    lock->Unlock();
    return 0;
}
