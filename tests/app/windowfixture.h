#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "app/kestrun.h"

class QListWidget;

// Helpers shared by the main window tests. Settings live in Qt's test
// locations, never in the user's own.
class HoverHideWindow;

namespace fixture {

// Turns on the test locations; call once per test program.
void useTestLocations();
// A settings file of a user who has seen the welcome, plus `extra` members
// (JSON object members without braces, e.g. "\"is_japanese\": false").
void writeSettings(const QString& extra = {});
void removeSettings();
bool settingsExist();
QByteArray settingsText();

template <typename Widget> Widget* child(const QWidget& window, const char* name) {
    auto* found = window.findChild<Widget*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no child named %s", name);
    return found;
}

// Clicks "Create New Project".
void enterEditor(kestrun& window);
// Chooses entry `index` of the operation (or condition) type menu and
// presses its Add button.
void addCommandType(kestrun& window, int index);
void addConditionType(kestrun& window, int index);
QStringList pageBarTexts(const kestrun& window);
// The title as the desktop shows it: "[*]" gone, or "*" while unsaved.
QString shownTitle(const kestrun& window);
// Opens `path` through the File menu's Open dialog.
void openProject(kestrun& window, const QString& path);
// Writes `text` into a file in `folder` and returns its path.
QString writeFile(const QString& folder, const QString& name, const QByteArray& text);
// The hint window of a coordinate capture, or null when none is open.
HoverHideWindow* hintWindow();

} // namespace fixture
