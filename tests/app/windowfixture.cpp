#include "windowfixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QWindow>

#include "app/hoverhidewindow.h"
#include "modalanswerer.h"
#include "settings/settings.h"

namespace fixture {

void useTestLocations() {
    QStandardPaths::setTestModeEnabled(true);
}

void writeSettings(const QString& extra) {
    QString text = QStringLiteral("{\"is_used_this\": true");
    if (!extra.isEmpty())
        text += QStringLiteral(", ") + extra;
    text += QStringLiteral("}");
    QFile file(settingsFilePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write the test settings");
    file.write(text.toUtf8());
}

void removeSettings() {
    QFile::remove(settingsFilePath());
}

bool settingsExist() {
    return QFile::exists(settingsFilePath());
}

QByteArray settingsText() {
    QFile file(settingsFilePath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void enterEditor(kestrun& window) {
    child<QPushButton>(window, "new_project_button")->click();
}

void addCommandType(kestrun& window, int index) {
    child<QComboBox>(window, "command_type_combo")->setCurrentIndex(index);
    child<QPushButton>(window, "command_add_button")->click();
}

void addConditionType(kestrun& window, int index) {
    child<QComboBox>(window, "condition_type_combo")->setCurrentIndex(index);
    child<QPushButton>(window, "condition_add_button")->click();
}

QStringList pageBarTexts(const kestrun& window) {
    auto* list = child<QListWidget>(window, "page_list");
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

QString shownTitle(const kestrun& window) {
    return window.windowHandle() ? window.windowHandle()->title() : QString();
}

void openProject(kestrun& window, const QString& path) {
    auto answer = ModalAnswerer::fileDialog(path);
    child<QAction>(window, "open_action")->trigger();
}

QString writeFile(const QString& folder, const QString& name, const QByteArray& text) {
    const QString path = QDir(folder).filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write a test file");
    file.write(text);
    return path;
}

HoverHideWindow* hintWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* hint = qobject_cast<HoverHideWindow*>(widget))
            return hint;
    return nullptr;
}

} // namespace fixture
