#pragma once

#include <pthread.h>

// While it lives, every new thread asks for a stack larger than the address
// space, so the system refuses to start it (glibc's default attributes reach
// std::thread and QThread alike).
class ThreadStartsFail {
public:
    ThreadStartsFail() {
        pthread_getattr_default_np(&saved);
        pthread_attr_t huge;
        pthread_attr_init(&huge);
        pthread_attr_setstacksize(&huge, size_t(1) << 47);
        pthread_setattr_default_np(&huge);
        pthread_attr_destroy(&huge);
    }
    ~ThreadStartsFail() {
        pthread_setattr_default_np(&saved);
        pthread_attr_destroy(&saved);
    }
    ThreadStartsFail(const ThreadStartsFail&) = delete;
    ThreadStartsFail& operator=(const ThreadStartsFail&) = delete;

private:
    pthread_attr_t saved;
};
