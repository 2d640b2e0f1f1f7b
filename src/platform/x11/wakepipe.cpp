#include "platform/x11/wakepipe.h"

#include <fcntl.h>
#include <unistd.h>

WakePipe::WakePipe() {
    if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        ends[0] = ends[1] = -1;
}

WakePipe::~WakePipe() {
    for (int fd : ends)
        if (fd >= 0)
            close(fd);
}

void WakePipe::raise() {
    flag.store(true);
    if (ends[1] >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = write(ends[1], &byte, 1);
    }
}
