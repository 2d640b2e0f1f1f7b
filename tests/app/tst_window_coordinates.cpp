#include <QtTest>

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "app/hoverhidewindow.h"
#include "modalanswerer.h"
#include "testplatform.h"
#include "windowfixture.h"

using fixture::child;

namespace {

constexpr int mousePointerType = 2;
constexpr int smoothMoveType = 3;
constexpr int windowType = 6;

HoverHideWindow* hintWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* hint = qobject_cast<HoverHideWindow*>(widget))
            return hint;
    return nullptr;
}

// What the platform delivers when Ctrl+Alt+G is pressed.
bool pressHotkey() {
    qintptr result = 0;
    return QAbstractEventDispatcher::instance()->filterNativeEvent(FakeHotkey::eventType(), nullptr,
                                                                   &result);
}

} // namespace

// Picking coordinates with Ctrl+Alt+G, and the Test button.
class TestWindowCoordinates : public QObject {
    Q_OBJECT

    TestPlatform platform;

private slots:
    void initTestCase() { fixture::useTestLocations(); }
    void init() {
        fixture::writeSettings();
        platform.hotkey.failRegister = false;
        platform.backend.clear();
    }
    void cleanup() { QTRY_VERIFY(!hintWindow()); }

    void ctrlAltGWritesAMousePointerOperation() {
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        fixture::addCommandType(window, mousePointerType);
        child<QPushButton>(window, "pointer_get_button")->click();
        QVERIFY(!window.isVisible());
        QVERIFY(platform.hotkey.registered);
        QVERIFY(hintWindow());
        QVERIFY(hintWindow()->isVisible());

        platform.backend.setPointer(QPoint(1250, 30));
        QVERIFY(pressHotkey());
        QTRY_VERIFY(window.isVisible());
        QCOMPARE(window.commands()[0], (QStringList{"マウスポインター", "1250", "30"}));
        QCOMPARE(child<QSpinBox>(window, "pointer_x_spin")->value(), 1250);
        QVERIFY(!platform.hotkey.registered);
        QVERIFY(!pressHotkey());
    }

    void ctrlAltGChangesOnlyTheCoordinatesOfASmoothMove() {
        fixture::writeSettings(QStringLiteral("\"is_japanese\": false"));
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        fixture::addCommandType(window, smoothMoveType);
        child<QPushButton>(window, "smooth_get_button")->click();
        QCOMPARE(hintWindow()->findChild<QLabel*>()->text(),
                 QStringLiteral("Getting mouse pointer coordinates\nPress Ctrl+Alt+G."));
        platform.backend.setPointer(QPoint(640, 480));
        QVERIFY(pressHotkey());
        QTRY_VERIFY(window.isVisible());
        QCOMPARE(window.commands()[0], (QStringList{"スムーズムーブ", "640", "480", "1"}));
        QCOMPARE(child<QSpinBox>(window, "pointer_x_spin")->value(), 640);
        QCOMPARE(child<QSpinBox>(window, "pointer_y_spin")->value(), 480);
    }

    void escapeOrClosingTheHintEndsTheCaptureWithoutAPosition() {
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        fixture::addCommandType(window, mousePointerType);
        child<QSpinBox>(window, "pointer_x_spin")->setValue(7);
        platform.backend.setPointer(QPoint(300, 400));
        for (const bool byWindowManager : {false, true}) {
            child<QPushButton>(window, "pointer_get_button")->click();
            QVERIFY(!window.isVisible());
            if (byWindowManager)
                hintWindow()->close();
            else
                QTest::keyClick(hintWindow(), Qt::Key_Escape);
            QTRY_VERIFY(window.isVisible());
            QVERIFY(!hintWindow());
            QVERIFY(!platform.hotkey.registered);
            QCOMPARE(window.commands()[0], (QStringList{"マウスポインター", "7", "0"}));
        }
    }

    void aHotkeyThatCannotBeRegisteredKeepsTheWindow_data() {
        QTest::addColumn<bool>("japanese");
        QTest::addColumn<QString>("text");
        QTest::newRow("Japanese") << true
                                  << QStringLiteral(
                                         "Ctrl+Alt+Gを登録できませんでした。\n他のアプリケー"
                                         "ションが使用している可能性があります。");
        QTest::newRow("English")
            << false
            << QStringLiteral(
                   "Could not register Ctrl+Alt+G.\nAnother application may be using it.");
    }
    void aHotkeyThatCannotBeRegisteredKeepsTheWindow() {
        QFETCH(bool, japanese);
        QFETCH(QString, text);
        fixture::writeSettings(japanese ? QString() : QStringLiteral("\"is_japanese\": false"));
        platform.hotkey.failRegister = true;
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        fixture::addCommandType(window, mousePointerType);
        auto warning = ModalAnswerer::messageBox(QMessageBox::Ok);
        QTest::ignoreMessage(QtWarningMsg, "RegisterHotKey failed.");
        child<QPushButton>(window, "pointer_get_button")->click();
        QVERIFY(warning->answered());
        QCOMPARE(warning->text, text);
        QCOMPARE(warning->icon, QMessageBox::Warning);
        QVERIFY(window.isVisible());
        QVERIFY(!hintWindow());
        QVERIFY(!pressHotkey());
        QCOMPARE(window.commands()[0], (QStringList{"マウスポインター", "0", "0"}));
    }

    void closingOrDestroyingTheWindowReleasesTheHotkey() {
        {
            kestrun window;
            window.show();
            fixture::enterEditor(window);
            fixture::addCommandType(window, mousePointerType);
            child<QPushButton>(window, "pointer_get_button")->click();
            QVERIFY(platform.hotkey.registered);
            auto discard = ModalAnswerer::messageBox(QMessageBox::Yes);
            QVERIFY(window.close());
            QVERIFY(!platform.hotkey.registered);
            QVERIFY(!pressHotkey());
        }
        {
            kestrun window;
            window.show();
            fixture::enterEditor(window);
            fixture::addCommandType(window, mousePointerType);
            child<QPushButton>(window, "pointer_get_button")->click();
        }
        QVERIFY(!platform.hotkey.registered);
        QVERIFY(!pressHotkey());
    }

    // An empty title holds the page; Ctrl+Alt+G takes the title of the
    // window under the pointer for the operation and for the condition, undo
    // takes it back, and Test activates the window.
    void ctrlAltGTakesAWindowTitleAndTestActivatesIt() {
        platform.windows.setWindows({{7, QStringLiteral("Notes - Editor")}, {8, "Terminal"}});
        platform.windows.setUnderPointer(7);
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        fixture::addCommandType(window, windowType);
        QCOMPARE(child<QComboBox>(window, "command_type_combo")->currentText(), "ウィンドウ");
        QCOMPARE(window.commands()[0], (QStringList{"ウィンドウ", ""}));
        QVERIFY(!child<QWidget>(window, "next_button")->isVisible());

        child<QPushButton>(window, "window_get_button")->click();
        QVERIFY(hintWindow()->findChild<QLabel*>()->text().startsWith("ウィンドウのタイトル"));
        QVERIFY(pressHotkey());
        QTRY_VERIFY(window.isVisible());
        QCOMPARE(window.commands()[0], (QStringList{"ウィンドウ", "Notes - Editor"}));
        QVERIFY(child<QWidget>(window, "next_button")->isVisible());
        child<QPushButton>(window, "window_test_button")->click();
        QCOMPARE(platform.windows.activations(), std::vector<WindowHandle>{7});

        fixture::addConditionType(window, windowType);
        platform.windows.setUnderPointer(8);
        child<QPushButton>(window, "condition_window_get_button")->click();
        QVERIFY(pressHotkey());
        QTRY_VERIFY(window.isVisible());
        QCOMPARE(window.conditions()[0], (QStringList{"ウィンドウ", "Terminal"}));
        QCOMPARE(window.commands()[0], (QStringList{"ウィンドウ", "Notes - Editor"}));
        child<QAction>(window, "undo_action")->trigger();
        QCOMPARE(window.conditions()[0], (QStringList{"ウィンドウ", ""}));
        QVERIFY(!child<QWidget>(window, "next_button")->isVisible());
    }

    void testMovesThePointerThenShowsTheWindow() {
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        fixture::addCommandType(window, mousePointerType);
        child<QSpinBox>(window, "pointer_x_spin")->setValue(100);
        child<QSpinBox>(window, "pointer_y_spin")->setValue(200);
        QElapsedTimer clock;
        clock.start();
        child<QPushButton>(window, "test_button")->click();
        QVERIFY(!window.isVisible());
        QTRY_COMPARE(platform.backend.events(RecordingBackend::Kind::SetCursor).size(), size_t(1));
        const qint64 moved = clock.elapsed();
        QVERIFY(!window.isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(window.isVisible(), 5000);
        const qint64 shown = clock.elapsed();
        const auto move = platform.backend.events(RecordingBackend::Kind::SetCursor)[0];
        QCOMPARE(QPoint(move.a, move.b), QPoint(100, 200));
        QVERIFY(moved >= 900);
        QVERIFY(shown - moved >= 800);
    }
};

QTEST_MAIN(TestWindowCoordinates)
#include "tst_window_coordinates.moc"
