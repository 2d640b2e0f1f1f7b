#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenuBar>
#include <QMimeData>

#include "app/kestrun.h"

namespace {

// The one project file a drag carries, or an empty path.
QString droppedProject(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QUrl url = data->urls().constFirst();
    if (!url.isLocalFile())
        return {};
    const QString path = url.toLocalFile();
    return QFileInfo(path).suffix().compare(QStringLiteral("cmdat"), Qt::CaseInsensitive) == 0
               ? path
               : QString();
}

} // namespace

void kestrun::openFile(const QString& path) {
    project_path = desktopPath();
    openProject(path);
    showEditor();
}

// A project from outside the window opens as Open would: after the
// unsaved-change question in the editor, straight into it from the start page.
void kestrun::openFromOutside(const QString& path) {
    if (!editor_shown)
        openFile(path);
    else if (confirmDiscard(GuardedCommand::Open))
        openProject(path);
}

// A drop opens a project where the File menu could: on the start page, or in
// the editor while its menu bar is offered (not on a page lacking its text or
// key, nor during a key capture).
bool kestrun::acceptsProjectDrop() const {
    return !editor_shown || (menuBar()->isVisible() && menuBar()->isEnabled());
}

void kestrun::dragEnterEvent(QDragEnterEvent* event) {
    if (acceptsProjectDrop() && !droppedProject(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void kestrun::dropEvent(QDropEvent* event) {
    const QString path = droppedProject(event->mimeData());
    if (!acceptsProjectDrop() || path.isEmpty())
        return;
    event->acceptProposedAction();
    // After the drop is over: the question is modal, and the program the
    // file came from waits until the drop is answered.
    QMetaObject::invokeMethod(
        this,
        [this, path] {
            if (acceptsProjectDrop())
                openFromOutside(path);
        },
        Qt::QueuedConnection);
}
