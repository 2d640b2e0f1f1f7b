#include <QtTest>

#include "keys/keycombination.h"
#include "recordingbackend.h"

class KeyCombinationTest : public QObject {
    Q_OBJECT

private slots:
    void readsTheTextForm_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("mask");
        QTest::newRow("plain") << "83,3" << true << 83 << 3;
        QTest::newRow("no mask") << "65" << true << 65 << 0;
        QTest::newRow("mask not a number") << "65,x" << true << 65 << 0;
        QTest::newRow("empty pieces dropped") << ",,65,,2" << true << 65 << 2;
        QTest::newRow("extra pieces ignored") << "65,2,0.5" << true << 65 << 2;
        QTest::newRow("letters") << "abc" << false << 0 << 0;
        QTest::newRow("hex is not decimal") << "0x41,2" << false << 0 << 0;
        QTest::newRow("only commas") << ",," << false << 0 << 0;
        QTest::newRow("empty") << "" << false << 0 << 0;
    }
    void readsTheTextForm() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        const std::optional<KeyCombination> combination = KeyCombination::fromText(text);
        QCOMPARE(combination.has_value(), valid);
        if (valid) {
            QFETCH(int, key);
            QFETCH(int, mask);
            QCOMPARE(combination->virtualKey, key);
            QCOMPARE(combination->modifiers, mask);
        }
    }

    void writesKeyCommaMask() {
        QCOMPARE((KeyCombination{83, 3}.toText()), QStringLiteral("83,3"));
        QCOMPARE((KeyCombination{160, 0}.toText()), QStringLiteral("160,0"));
    }

    void swapsCtrlAndAltIntoTheStoredMask() {
        QCOMPARE(toStoredMask(heldmask::Ctrl), storedmask::Ctrl);
        QCOMPARE(toStoredMask(heldmask::Alt), storedmask::Alt);
        QCOMPARE(toStoredMask(heldmask::Ctrl | heldmask::Alt), 3);
        QCOMPARE(toStoredMask(heldmask::Ctrl | heldmask::Shift | heldmask::Win), 14);
        QCOMPARE(toStoredMask(0), 0);
    }

    void knowsExactlyTheModifierKeys() {
        const QList<int> modifiers{16, 17, 18, 91, 92, 160, 161, 162, 163, 164, 165};
        for (int code = 0; code < 256; ++code)
            QVERIFY2(isModifierKey(code) == modifiers.contains(code),
                     qPrintable(QString::number(code)));
    }

    void namesKeys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("name");
        QTest::newRow("A") << 65 << "A";
        QTest::newRow("Z") << 90 << "Z";
        QTest::newRow("0") << 48 << "0";
        QTest::newRow("9") << 57 << "9";
        QTest::newRow("F1") << 112 << "F1";
        QTest::newRow("F24") << 135 << "F24";
        QTest::newRow("after F24") << 136 << "VK136";
        QTest::newRow("before digits") << 47 << "VK47";
        QTest::newRow("before letters") << 64 << "VK64";
        QTest::newRow("after letters") << 91 << "Win";
        QTest::newRow("enter") << 13 << "Enter";
        QTest::newRow("right alt") << 165 << "Alt";
        QTest::newRow("menu") << 93 << "Menu";
        QTest::newRow("oem") << 186 << "VK186";
        QTest::newRow("zero") << 0 << "VK0";
    }
    void namesKeys() {
        QFETCH(int, key);
        QFETCH(QString, name);
        QCOMPARE(keyName(key), name);
    }

    void labelsCombinations_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("dialog");
        QTest::newRow("ctrl+a") << "65,2"
                                << "Ctrl+A"
                                << "Ctrl+A";
        QTest::newRow("exit default") << "83,3"
                                      << "Ctrl+Alt+S"
                                      << "Ctrl+Alt+S";
        QTest::newRow("all modifiers in order") << "112,15"
                                                << "Ctrl+Alt+Shift+Win+F1"
                                                << "Ctrl+Alt+Shift+Win+F1";
        QTest::newRow("no mask") << "65"
                                 << "A"
                                 << "A";
        QTest::newRow("bad mask") << "65,x"
                                  << "A"
                                  << "A";
        QTest::newRow("empty pieces") << ",,65,,2"
                                      << "Ctrl+A"
                                      << "Ctrl+A";
        QTest::newRow("lone shift") << "160,0"
                                    << "Shift"
                                    << "Shift";
        QTest::newRow("modifier with its own bit") << "162,2"
                                                   << "Ctrl"
                                                   << "Ctrl";
        QTest::newRow("modifier with another bit") << "160,2"
                                                   << "Ctrl"
                                                   << "Ctrl";
        QTest::newRow("F24") << "135,0"
                             << "F24"
                             << "F24";
        QTest::newRow("oem") << "186,0"
                             << "VK186"
                             << "VK186";
        QTest::newRow("not a key") << "abc"
                                   << "abc"
                                   << "無効なキー";
        QTest::newRow("empty") << ""
                               << "なし"
                               << "なし";
        QTest::newRow("none") << "なし"
                              << "なし"
                              << "なし";
    }
    void labelsCombinations() {
        QFETCH(QString, text);
        QFETCH(QString, editor);
        QFETCH(QString, dialog);
        QCOMPARE(keyCombinationLabel(text), editor);
        QCOMPARE(exitCommandLabel(text), dialog);
    }

    void readsHeldModifiersFromTheGenericKeys() {
        RecordingBackend backend;
        QCOMPARE(currentModifierMask(backend), 0);
        backend.setKeyDown(vk::LControl, true); // only the generic codes count
        QCOMPARE(currentModifierMask(backend), 0);
        backend.setKeyDown(vk::Control, true);
        QCOMPARE(currentModifierMask(backend), heldmask::Ctrl);
        backend.setKeyDown(vk::Menu, true);
        backend.setKeyDown(vk::Shift, true);
        QCOMPARE(currentModifierMask(backend), heldmask::Ctrl | heldmask::Alt | heldmask::Shift);
        backend.setKeyDown(vk::Control, false);
        backend.setKeyDown(vk::Menu, false);
        backend.setKeyDown(vk::Shift, false);
        backend.setKeyDown(vk::RWin, true);
        QCOMPARE(currentModifierMask(backend), heldmask::Win);
        backend.setKeyDown(vk::RWin, false);
        backend.setKeyDown(vk::LWin, true);
        QCOMPARE(currentModifierMask(backend), heldmask::Win);
    }
};

QTEST_GUILESS_MAIN(KeyCombinationTest)
#include "tst_keycombination.moc"
