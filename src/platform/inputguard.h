#pragma once

// Starts the input guard: a small process that outlives this one and, should
// this one die holding keys or buttons (SIGKILL, a crash), releases them and
// puts back the server-wide state it changed. Call it first thing in main,
// before any thread exists. Does nothing where the platform needs no guard.
void startInputGuard();
