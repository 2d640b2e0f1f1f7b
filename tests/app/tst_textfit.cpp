#include <QtTest>

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QTextEdit>

#include "app/hoverhidewindow.h"
#include "app/runindicator.h"
#include "dialogs/licensedocuments.h"
#include "dialogs/messagebox.h"
#include "dialogs/reportdialog.h"
#include "dialogs/termdialog.h"
#include "dialogs/textfit.h"
#include "keys/rundialog.h"
#include "modalanswerer.h"
#include "testplatform.h"
#include "windowfixture.h"

namespace {

// Where a widget draws its text (a label's lines down to their baselines),
// in its parent's coordinates.
QRect textArea(const QWidget* widget) {
    auto* label = qobject_cast<const QLabel*>(widget);
    if (!label)
        return widget->geometry();
    QRect lines = label->style()->itemTextRect(label->fontMetrics(), label->contentsRect(),
                                               int(label->alignment()), true, label->text());
    lines.setBottom(lines.bottom() - label->fontMetrics().descent());
    return lines.translated(label->pos());
}

// How much of a widget's width is hidden: outside its parent, or under a
// visible sibling made later that paints over its text (labels paint no
// background).
int hiddenWidth(const QWidget* widget) {
    const QWidget* parent = widget->parentWidget();
    int right = std::min(widget->geometry().right(), parent->width() - 1);
    const QObjectList& siblings = parent->children();
    for (qsizetype i = siblings.indexOf(widget) + 1; i < siblings.size(); ++i) {
        const auto* sibling = qobject_cast<const QWidget*>(siblings[i]);
        if (sibling && !sibling->isWindow() && sibling->isVisible() &&
            !qobject_cast<const QLabel*>(sibling) && sibling->x() > widget->x() &&
            sibling->geometry().intersects(textArea(widget)))
            right = std::min(right, sibling->x() - 1);
    }
    return widget->geometry().right() - right;
}

// Every visible text under a window that is wider than the room its widget
// gives it, and every window title wider than its title bar.
struct CutTexts {
    QStringList cuts;

    void check(const QWidget* window, const QString& state) {
        for (const QWidget* widget : window->findChildren<QWidget*>()) {
            auto* label = qobject_cast<const QLabel*>(widget);
            // Wrapped texts (message boxes) take the lines they need.
            if (!widget->isVisible() || (label && label->wordWrap()))
                continue;
            const int room = textRoom(widget) - hiddenWidth(widget);
            for (const QString& text : shownTexts(widget))
                if (!textFits(widget->font(), text, room))
                    cuts << QStringLiteral("%1: %2 \"%3\" in %4")
                                .arg(state, widget->objectName(), text)
                                .arg(room);
            if (auto* bar = qobject_cast<const QMenuBar*>(widget))
                for (QAction* menu : bar->actions())
                    if (bar->actionGeometry(menu).right() >= bar->width())
                        cuts << state + QStringLiteral(": menu ") + menu->text();
        }
        if (titleBarWidth(window->windowTitle()) > window->width())
            cuts << state + QStringLiteral(": title ") + window->windowTitle();
    }
};

} // namespace

// Texts that fit their widgets in both languages with the desktop's fonts:
// the main window in each of its states, every dialog, the message boxes of
// a run's start and the small windows beside a capture or a run.
class TestTextFit : public QObject {
    Q_OBJECT

    TestPlatform platform;
    CutTexts found;

    // Ctrl+Alt+Shift+Win+PageDown, the longest combination of key names.
    void pressLongCombination() {
        for (int key : {162, 164, 160, 91, 34})
            platform.hook.procedure(0, 256, key);
        for (int key : {34, 91, 160, 164, 162})
            platform.hook.procedure(0, 257, key);
    }

    void checkMainWindow(const QString& language) {
        kestrun window;
        window.show();
        found.check(&window, language + " start page");
        fixture::enterEditor(window);
        for (int type : {0, 1, 2, 3, 5, 4}) {
            fixture::addCommandType(window, type);
            found.check(&window, language + " operation " + QString::number(type));
            if (type == 5)
                fixture::child<QTextEdit>(window, "text_edit")->setPlainText(QStringLiteral("a"));
        }
        pressLongCombination();
        QTRY_VERIFY(fixture::child<QWidget>(window, "run_button")->isVisible());
        for (int type : {0, 1, 2, 3, 5, 4}) {
            fixture::addConditionType(window, type);
            found.check(&window, language + " condition " + QString::number(type));
        }
        pressLongCombination();
        QTRY_VERIFY(fixture::child<QWidget>(window, "run_button")->isVisible());
        fixture::child<QPushButton>(window, "copy_button")->click();
        fixture::child<QPushButton>(window, "next_button")->click();
        found.check(&window, language + " page 2, a page copied");
        auto discard = ModalAnswerer::messageBox(QMessageBox::Yes);
        window.close();
    }

    // The dialog as it opens, while it captures, and the box Start shows.
    void checkRunDialog(const QString& language, const QString& stopCommand, bool trayShown) {
        RunDialog dialog(5, 114514, stopCommand, false, language == "ja");
        dialog.requireExitCommand(!trayShown);
        dialog.show();
        const QString state = language + " run dialog " + stopCommand;
        found.check(&dialog, state);
        auto* change = dialog.findChild<QPushButton*>("changeButton");
        change->click();
        found.check(&dialog, state + " capturing");
        change->click();
        ModalAnswerer box([&](QWidget* modal) {
            if (!qobject_cast<QMessageBox*>(modal))
                return false;
            found.check(modal, state + " start box");
            modal->close();
            return true;
        });
        dialog.findChild<QPushButton*>("startButton")->click();
        QVERIFY(box.answered());
    }

private slots:
    void initTestCase() {
        fixture::useTestLocations();
        qInfo() << "Fonts:" << QFontInfo(QFont(QStringLiteral("Sans Serif"))).family()
                << QFontInfo(QFont(QStringLiteral("Noto Sans CJK JP"))).family();
    }

    void everyTextFits_data() {
        QTest::addColumn<QString>("language");
        QTest::newRow("Japanese") << QStringLiteral("ja");
        QTest::newRow("English") << QStringLiteral("en");
    }
    void everyTextFits() {
        QFETCH(QString, language);
        const bool japanese = language == "ja";
        found.cuts.clear();
        fixture::writeSettings(japanese ? QString() : QStringLiteral("\"is_japanese\": false"));
        checkMainWindow(language);
        checkRunDialog(language, QStringLiteral("83,3"), true);
        checkRunDialog(language, QStringLiteral("34,15"), true);
        checkRunDialog(language, QStringLiteral("なし"), true);
        checkRunDialog(language, QStringLiteral("なし"), false);

        for (LicenseDocument document : {LicenseDocument::License, LicenseDocument::OssNotice,
                                         LicenseDocument::QtInfo, LicenseDocument::Lgpl}) {
            TermDialog dialog(licenseDocumentPath(document));
            dialog.show();
            found.check(&dialog, QStringLiteral("document"));
        }
        ReportDialog bug;
        ReportDialog2 suggestion;
        for (FeedbackDialog* dialog : std::initializer_list<FeedbackDialog*>{&bug, &suggestion}) {
            dialog->show();
            dialog->findChild<QTextEdit*>()->setPlainText(QStringLiteral("x"));
            found.check(dialog, QStringLiteral("report"));
        }
        HoverHideWindow hint(120, 20, nullptr, japanese);
        hint.show();
        found.check(&hint, language + " coordinate hint");
        RunIndicator indicator(QStringLiteral("a project with a rather long name indeed"),
                               QStringLiteral("Ctrl+Alt+Shift+Win+PageDown"), japanese);
        indicator.show();
        found.check(&indicator, language + " run indicator");

        QVERIFY2(found.cuts.isEmpty(), qPrintable(found.cuts.join(u'\n')));
    }
};

QTEST_MAIN(TestTextFit)
#include "tst_textfit.moc"
