#pragma once

// Lets the process this one hands its work to take the foreground. Windows
// keeps a process in the background from activating its window unless the
// foreground process, which the user just started, allows it; elsewhere the
// window system needs nothing.
void allowAnotherProcessToComeForward();
