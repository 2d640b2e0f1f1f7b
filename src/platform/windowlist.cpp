#include "platform/windowlist.h"

bool titleNames(const QString& title, const QString& part) {
    return !part.isEmpty() && title.contains(part, Qt::CaseInsensitive);
}

std::optional<TopLevelWindow> firstWindowNamed(const std::vector<TopLevelWindow>& windows,
                                               const QString& part) {
    for (const TopLevelWindow& window : windows)
        if (titleNames(window.title, part))
            return window;
    return std::nullopt;
}
