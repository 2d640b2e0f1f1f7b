#include <QtTest>

#include <QAbstractEventDispatcher>

#include "app/globalhotkeyfilter.h"
#include "testplatform.h"

class GlobalHotkeyFilterTest : public QObject {
    Q_OBJECT

    static bool dispatch(const QByteArray& type, qintptr* result) {
        return QAbstractEventDispatcher::instance()->filterNativeEvent(type, nullptr, result);
    }

private slots:
    void consumesOnlyTheRegisteredHotkey() {
        TestPlatform platform;
        GlobalHotkeyFilter filter(GlobalHotkey::hotkeyId);
        int calls = 0;
        filter.callback = [&calls] { ++calls; };
        QCoreApplication::instance()->installNativeEventFilter(&filter);

        qintptr result = 77;
        QVERIFY(!dispatch(FakeHotkey::eventType(), &result));
        QCOMPARE(calls, 0);

        QVERIFY(platform.hotkey.registerHotkey());
        QVERIFY(dispatch(FakeHotkey::eventType(), &result));
        QCOMPARE(calls, 1);
        QCOMPARE(result, qintptr(77));
        QVERIFY(!dispatch("xcb_generic_event_t", &result));
        QCOMPARE(calls, 1);

        filter.callback = nullptr;
        QVERIFY(dispatch(FakeHotkey::eventType(), &result));

        QCoreApplication::instance()->removeNativeEventFilter(&filter);
        QVERIFY(!dispatch(FakeHotkey::eventType(), &result));
    }

    void anotherIdentifierIsLeftAlone() {
        TestPlatform platform;
        QVERIFY(platform.hotkey.registerHotkey());
        GlobalHotkeyFilter filter(GlobalHotkey::hotkeyId + 1);
        bool called = false;
        filter.callback = [&called] { called = true; };
        QVERIFY(!filter.nativeEventFilter(FakeHotkey::eventType(), nullptr, nullptr));
        QVERIFY(!called);
    }
};

QTEST_GUILESS_MAIN(GlobalHotkeyFilterTest)
#include "tst_globalhotkeyfilter.moc"
