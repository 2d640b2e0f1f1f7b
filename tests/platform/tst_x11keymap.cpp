#include <QtTest>

#include "platform/inputbackend.h"
#include "platform/x11/x11keymap.h"

#include <X11/X.h>
#include <X11/keysym.h>

class X11KeymapTest : public QObject {
    Q_OBJECT

    static QList<int> namedKeys() {
        QList<int> keys{8,    9,    13,   27,   32,   33,   34,   35,   36,   37,   38,
                        39,   40,   45,   46,   0x5B, 0x5C, 0x5D, 0x6A, 0x6B, 0x6D, 0x6E,
                        0x6F, 0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xBA, 0xBB, 0xBC, 0xBD,
                        0xBE, 0xBF, 0xC0, 0xDB, 0xDC, 0xDD, 0xDE, 0xE2};
        for (int key = '0'; key <= '9'; ++key)
            keys << key;
        for (int key = 'A'; key <= 'Z'; ++key)
            keys << key;
        for (int key = 0x60; key <= 0x69; ++key)
            keys << key;
        for (int key = 0x70; key <= 0x87; ++key)
            keys << key;
        return keys;
    }

private slots:
    void everyNamedKeyGoesThereAndBack() {
        for (int key : namedKeys()) {
            const KeySym keysym = keysymFromVirtualKey(key);
            QVERIFY2(keysym != NoSymbol, qPrintable(QString::number(key)));
            QCOMPARE(virtualKeyFromKeysym(keysym), key);
        }
    }

    void sampleKeysymsOnBothSides() {
        QCOMPARE(keysymFromVirtualKey('G'), KeySym(XK_g));
        QCOMPARE(keysymFromVirtualKey(0x87), KeySym(XK_F24));
        QCOMPARE(keysymFromVirtualKey(0x69), KeySym(XK_KP_9));
        QCOMPARE(keysymFromVirtualKey(0xBA), KeySym(XK_semicolon));
        QCOMPARE(keysymFromVirtualKey(0x21), KeySym(XK_Prior));
        QCOMPARE(keysymFromVirtualKey(vk::RMenu), KeySym(XK_Alt_R));
        QCOMPARE(keysymFromVirtualKey(vk::RWin), KeySym(XK_Super_R));
    }

    void genericModifiersPressTheLeftKey() {
        QCOMPARE(keysymFromVirtualKey(vk::Shift), KeySym(XK_Shift_L));
        QCOMPARE(keysymFromVirtualKey(vk::Control), KeySym(XK_Control_L));
        QCOMPARE(keysymFromVirtualKey(vk::Menu), KeySym(XK_Alt_L));
    }

    void keysymsOfTheSameKeyShareItsCode() {
        QCOMPARE(virtualKeyFromKeysym(XK_A), 'A');
        QCOMPARE(virtualKeyFromKeysym(XK_exclam), '1');
        QCOMPARE(virtualKeyFromKeysym(XK_colon), 0xBA);
        QCOMPARE(virtualKeyFromKeysym(XK_ISO_Left_Tab), 9);
        QCOMPARE(virtualKeyFromKeysym(XK_KP_End), 35);
        QCOMPARE(virtualKeyFromKeysym(XK_KP_Enter), 13);
        QCOMPARE(virtualKeyFromKeysym(XK_ISO_Level3_Shift), vk::RMenu);
    }

    void usKeycodesNameTheMainBlock() {
        QCOMPARE(virtualKeyFromUsKeycode(10), '1');
        QCOMPARE(virtualKeyFromUsKeycode(21), 0xBB);
        QCOMPARE(virtualKeyFromUsKeycode(24), 'Q');
        QCOMPARE(virtualKeyFromUsKeycode(49), 0xC0);
        QCOMPARE(virtualKeyFromUsKeycode(51), 0xDC);
        QCOMPARE(virtualKeyFromUsKeycode(58), 'M');
        QCOMPARE(virtualKeyFromUsKeycode(61), 0xBF);
        QCOMPARE(virtualKeyFromUsKeycode(94), 0xE2);
        for (unsigned keycode : {0u, 9u, 22u, 23u, 36u, 37u, 50u, 62u, 93u, 95u, 255u})
            QCOMPARE(virtualKeyFromUsKeycode(keycode), 0);
    }

    void unknownOnesHaveNoCounterpart() {
        QCOMPARE(virtualKeyFromKeysym(XK_ssharp), 0);
        QCOMPARE(virtualKeyFromKeysym(NoSymbol), 0);
        QCOMPARE(virtualKeyFromKeysym(XK_F1 + 24), 0);
        QCOMPARE(keysymFromVirtualKey(0), KeySym(NoSymbol));
        QCOMPARE(keysymFromVirtualKey(0xFF), KeySym(NoSymbol));
        QCOMPARE(keysymFromVirtualKey(0x88), KeySym(NoSymbol));
    }
};

QTEST_GUILESS_MAIN(X11KeymapTest)
#include "tst_x11keymap.moc"
