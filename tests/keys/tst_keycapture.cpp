#include <QtTest>

#include "keys/keycapture.h"
#include "keys/keycombination.h"
#include "testplatform.h"

namespace {

constexpr int KeyDown = 256;
constexpr int KeyUp = 257;
constexpr int SysKeyDown = 260;
constexpr int SysKeyUp = 261;

} // namespace

class KeyCaptureTest : public QObject {
    Q_OBJECT

    // What the editor's poll would write for the capture so far.
    static QString captured(const KeyCapture& capture) {
        const int key = capture.capturedKey.load();
        if (key == 0)
            return {};
        return KeyCombination{key, toStoredMask(capture.capturedModifiers.load())}.toText();
    }

    HookVerdict feed(int message, int key) { return platform->hook.procedure(0, message, key); }

    std::unique_ptr<TestPlatform> platform;
    std::unique_ptr<KeyCapture> capture;

private slots:
    void init() {
        platform = std::make_unique<TestPlatform>();
        capture = std::make_unique<KeyCapture>();
        capture->beginCapture();
        QVERIFY(capture->install());
    }
    void cleanup() {
        capture.reset();
        platform.reset();
    }

    void ctrlHeldThenAGivesCtrlA() {
        QCOMPARE(feed(KeyDown, vk::LControl), HookVerdict::Swallow);
        QCOMPARE(feed(KeyDown, 'A'), HookVerdict::Swallow);
        QCOMPARE(captured(*capture), QStringLiteral("65,2"));
        QCOMPARE(feed(KeyUp, 'A'), HookVerdict::Swallow);
        QCOMPARE(feed(KeyUp, vk::LControl), HookVerdict::Swallow);
        QCOMPARE(captured(*capture), QStringLiteral("65,2"));
        QCOMPARE(capture->heldModifiers.load(), 0);
    }

    void modifiersDownBeforeTheCaptureAreQueried() {
        platform->backend.setKeyDown(vk::Control, true);
        platform->backend.setKeyDown(vk::Menu, true);
        feed(SysKeyDown, 'S');
        QCOMPARE(captured(*capture), QStringLiteral("83,3"));
    }

    void seenModifiersWinOverTheQuery() {
        platform->backend.setKeyDown(vk::Control, true);
        feed(KeyDown, vk::LShift);
        feed(KeyDown, 'B');
        QCOMPARE(captured(*capture), QStringLiteral("66,4"));
    }

    void aModifierAloneIsAKeyByItself() {
        feed(KeyDown, vk::LShift);
        QCOMPARE(capture->capturedKey.load(), 0);
        feed(KeyUp, vk::LShift);
        QCOMPARE(captured(*capture), QStringLiteral("160,0"));
        QCOMPARE(keyCombinationLabel(captured(*capture)), QStringLiteral("Shift"));
    }

    void rightAltAloneComesAsSystemKeys() {
        feed(SysKeyDown, vk::RMenu);
        feed(SysKeyUp, vk::RMenu);
        QCOMPARE(captured(*capture), QStringLiteral("165,0"));
    }

    void aChordYieldsTheLastModifierReleasedAlone() {
        feed(KeyDown, vk::LControl);
        feed(KeyDown, vk::LShift);
        feed(KeyUp, vk::LShift);
        QCOMPARE(capture->capturedKey.load(), 0);
        feed(KeyUp, vk::LControl);
        QCOMPARE(captured(*capture), QStringLiteral("162,0"));
    }

    void theFirstCaptureIsNotOverwrittenByAModifierRelease() {
        feed(KeyDown, vk::LControl);
        feed(KeyDown, 'A');
        feed(KeyUp, 'A');
        feed(KeyUp, vk::LControl);
        QCOMPARE(captured(*capture), QStringLiteral("65,2"));
    }

    void theLaterOfTwoKeysInOnePollWins() {
        feed(KeyDown, vk::LControl);
        feed(KeyDown, 'A');
        feed(KeyUp, vk::LControl);
        feed(KeyDown, 'B');
        QCOMPARE(captured(*capture), QStringLiteral("66,0"));
    }

    void releasesOfOrdinaryKeysRecordNothing() {
        QCOMPARE(feed(KeyUp, 'A'), HookVerdict::Swallow);
        QCOMPARE(capture->capturedKey.load(), 0);
        QCOMPARE(capture->heldModifiers.load(), 0);
    }

    void inactiveCapturePassesEverythingOn() {
        capture->endCapture();
        QVERIFY(!platform->hook.capturing);
        QCOMPARE(feed(KeyDown, vk::LControl), HookVerdict::PassOn);
        QCOMPARE(feed(KeyDown, 'A'), HookVerdict::PassOn);
        QCOMPARE(feed(KeyUp, vk::LControl), HookVerdict::PassOn);
        QCOMPARE(capture->capturedKey.load(), 0);
        QCOMPARE(capture->heldModifiers.load(), 0);
    }

    void aCaptureDeactivatedByHandReleasesTheKeyboardAtTheNextEvent() {
        capture->captureActive.store(0);
        QVERIFY(platform->hook.capturing);
        QCOMPARE(feed(KeyDown, 'A'), HookVerdict::PassOn);
        QVERIFY(!platform->hook.capturing);
    }

    void nonActionCodesAndOtherMessagesPassOn() {
        QCOMPARE(platform->hook.procedure(1, KeyDown, 'A'), HookVerdict::PassOn);
        QCOMPARE(feed(258 /* a character message */, 'A'), HookVerdict::PassOn);
        QCOMPARE(capture->capturedKey.load(), 0);
    }

    void beginCaptureResetsTheRecord() {
        feed(KeyDown, vk::LShift);
        feed(KeyDown, 'A');
        capture->endCapture();
        capture->beginCapture();
        QVERIFY(platform->hook.capturing);
        QCOMPARE(capture->capturedKey.load(), 0);
        QCOMPARE(capture->capturedModifiers.load(), 0);
        QCOMPARE(capture->heldModifiers.load(), 0);
        feed(KeyDown, 'C');
        QCOMPARE(captured(*capture), QStringLiteral("67,0"));
    }

    void installsOnceAndRemovesHonestly() {
        QVERIFY(capture->install());
        QCOMPARE(platform->hook.installs, 1);
        QVERIFY(capture->isInstalled());
        QVERIFY(capture->remove());
        QVERIFY(!capture->remove());
        QVERIFY(!capture->isInstalled());
        QCOMPARE(platform->hook.removes, 1);
    }

    void aFailedInstallIsReported() {
        capture.reset();
        platform->hook.failInstall = true;
        KeyCapture failing;
        QVERIFY(!failing.install());
        QVERIFY(!failing.isInstalled());
        QCOMPARE(failing.lastError(), 5);
    }

    void destructionRemovesTheFilter() {
        capture.reset();
        QCOMPARE(platform->hook.removes, 1);
        QVERIFY(!platform->hook.procedure);
    }
};

QTEST_GUILESS_MAIN(KeyCaptureTest)
#include "tst_keycapture.moc"
