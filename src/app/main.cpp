#include <QApplication>
#include <QFont>
#include <QToolTip>

#include "app/kestrun.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QFont tooltipFont = QToolTip::font();
    tooltipFont.setPixelSize(18);
    QToolTip::setFont(tooltipFont);

    kestrun window;
    window.show();
    return app.exec();
}
