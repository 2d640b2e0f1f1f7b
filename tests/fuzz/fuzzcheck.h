#pragma once

#include <cstdio>
#include <cstdlib>

#include <QtGlobal>

// A broken invariant aborts: libFuzzer then keeps the input as a finding,
// and the replay test fails on it.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

// The readers log every outcome; a million log lines would only slow the
// fuzzer down.
inline void silenceQtMessages() {
    static const bool silenced = [] {
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        return true;
    }();
    (void)silenced;
}
