#include <QApplication>
#include <QFileInfo>
#include <QFont>
#include <QToolTip>

#include "app/kestrun.h"
#include "platform/inputguard.h"

int main(int argc, char* argv[]) {
    // Before QApplication starts any thread.
    startInputGuard();
    QApplication app(argc, argv);
    QFont tooltipFont = QToolTip::font();
    tooltipFont.setPixelSize(18);
    QToolTip::setFont(tooltipFont);

    kestrun window;
    window.show();
    // `kestrun FILE.cmdat`, as a file manager starts it for a project file.
    const QStringList arguments = QApplication::arguments().mid(1);
    if (!arguments.isEmpty()) {
        const QString path = QFileInfo(arguments.constFirst()).absoluteFilePath();
        QMetaObject::invokeMethod(
            &window, [&window, path] { window.openFile(path); }, Qt::QueuedConnection);
    }
    return app.exec();
}
