#include <QApplication>
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
    return app.exec();
}
