#pragma once

#include <optional>

// Whether the desktop shows tray icons, where a run's icon would stand for
// it and stop it with a click.
bool systemTrayAvailable();
// Tests decide instead of the desktop; an empty value gives the desktop back.
void setSystemTrayAvailableForTesting(std::optional<bool> available);
