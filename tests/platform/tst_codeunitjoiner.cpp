#include <QtTest>

#include "platform/codeunitjoiner.h"

class CodeUnitJoinerTest : public QObject {
    Q_OBJECT

private:
    static std::u32string pressAll(std::u16string units) {
        CodeUnitJoiner joiner;
        std::u32string typed;
        for (char16_t unit : units)
            typed += joiner.press(unit);
        return typed;
    }

private slots:
    void surrogatePairBecomesOneCharacter() {
        CodeUnitJoiner joiner;
        QVERIFY(joiner.press(0xd83d).empty());
        QVERIFY(!joiner.isIdle());
        QCOMPARE(joiner.press(0xde00), std::u32string{0x1f600});
        QVERIFY(joiner.isIdle());
    }

    void loneSurrogatesBecomeReplacementCharacters() {
        QCOMPARE(pressAll(u"\xdc00"
                          u"a"),
                 (std::u32string{0xfffd, U'a'}));
        QCOMPARE(pressAll(std::u16string{0xd800, u'b'}), (std::u32string{0xfffd, U'b'}));
        QCOMPARE(pressAll(std::u16string{0xd800, 0xd801, 0xdc00}),
                 (std::u32string{0xfffd, 0x10400}));
    }

    void carriageReturnLineFeedIsOneLineBreak() {
        QCOMPARE(pressAll(u"a\r\nb\n\nc\r\rd"), std::u32string(U"a\rb\n\nc\r\rd"));
    }
};

QTEST_GUILESS_MAIN(CodeUnitJoinerTest)
#include "tst_codeunitjoiner.moc"
