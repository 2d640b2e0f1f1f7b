#include "app/styles.h"

namespace style {

QString group() {
    return QStringLiteral("QGroupBox {\n"
                          "    font-size: 24px;\n"
                          "    border: 2px solid black;\n"
                          "    border-radius: 5px;\n"
                          "    margin-top: 10px;\n"
                          "}\n"
                          "QGroupBox::title {\n"
                          "    subcontrol-origin: margin;\n"
                          "    left: 10px;\n"
                          "    padding: 0 3px 0 3px;\n"
                          "}\n"
                          "QToolTip { font-size: 14pt; }");
}

QString button24() {
    return QStringLiteral("QPushButton{font-size:24px;} QToolTip { font-size: 14pt; }");
}
QString button48() {
    return QStringLiteral("QPushButton{font-size:48px;} QToolTip { font-size: 14pt; }");
}
QString button16() {
    return QStringLiteral("QPushButton{font-size:16px;} QToolTip { font-size: 14pt; }");
}

QString redButton() {
    return QStringLiteral("QPushButton {\n"
                          "    font-size: 24px;\n"
                          "    background-color: #FF0000;\n"
                          "    color: white;\n"
                          "    border-radius: 5px;\n"
                          "}\n"
                          "QPushButton:hover {\n"
                          "    background-color: #CC0000;\n"
                          "}\n"
                          "QPushButton:pressed {\n"
                          "    background-color: #990000;\n"
                          "}\n"
                          "QToolTip { font-size: 14pt; }");
}

QString combo() {
    return QStringLiteral("QComboBox{font-size: 24px;} QToolTip { font-size: 14pt; }");
}
QString label24() {
    return QStringLiteral("QLabel{font-size:24px;} QToolTip { font-size: 14pt; }");
}
QString label24Spaced() {
    return QStringLiteral("QLabel{font-size: 24px;} QToolTip { font-size: 14pt; }");
}
QString label30() {
    return QStringLiteral("QLabel{font-size:30px;} QToolTip { font-size: 14pt; }");
}
QString text() {
    return QStringLiteral("QTextEdit{font-size: 24px;} QToolTip { font-size: 14pt; }");
}
QString realSpin() {
    return QStringLiteral("QDoubleSpinBox{font-size: 24px;} QToolTip { font-size: 14pt; }");
}
QString spin() {
    return QStringLiteral("QSpinBox{font-size: 24px;} QToolTip { font-size: 14pt; }");
}
QString tooltipOnly() {
    return QStringLiteral("QToolTip { font-size: 14pt; }");
}

QString small16() {
    return QStringLiteral("*{font-size:16px;} QToolTip { font-size: 14pt; }");
}
QString swatch(const QString& color) {
    return QStringLiteral("QLabel{background-color:%1; border:1px solid black;} "
                          "QToolTip { font-size: 14pt; }")
        .arg(color);
}

} // namespace style
