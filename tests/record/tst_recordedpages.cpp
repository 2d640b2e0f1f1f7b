#include <algorithm>

#include <QtTest>

#include "platform/inputbackend.h"
#include "record/recordedpages.h"

using Events = QList<RecordedEvent>;
Q_DECLARE_METATYPE(RecordingOptions)

namespace {

using Kind = RecordedInput::Kind;
constexpr int keyA = 65;
constexpr int keyEnter = 13;
// A punctuation key of the layout.
constexpr int oemKey = 186;
constexpr WindowHandle editor = 7;
constexpr WindowHandle ownWindow = 99;

RecordedEvent recorded(Kind kind, int key, qint64 ms, QPoint at = {}, const QString& text = {},
                       const QString& title = QStringLiteral("Editor"),
                       WindowHandle target = editor) {
    return {{kind, ms, key, at, text}, title, target};
}

Events tap(int key, qint64 downMs, qint64 upMs, const QString& text = {},
           const QString& title = QStringLiteral("Editor")) {
    return {recorded(Kind::KeyDown, key, downMs, {}, text, title),
            recorded(Kind::KeyUp, key, upMs, {}, {}, title)};
}

// Characters typed one after another, `stepMs` apart from `fromMs`.
Events typed(const QString& text, qint64 fromMs, qint64 stepMs) {
    Events events;
    for (qsizetype i = 0; i < text.size(); ++i)
        events << tap(text.at(i).isLetterOrNumber() ? text.at(i).toUpper().unicode() : oemKey,
                      fromMs + i * stepMs, fromMs + i * stepMs + stepMs / 2, text.mid(i, 1));
    return events;
}

Events click(int button, QPoint at, qint64 downMs, qint64 upMs, QPoint upAt = {},
             WindowHandle target = editor) {
    return {recorded(Kind::ButtonDown, button, downMs, at, {}, QStringLiteral("Editor"), target),
            recorded(Kind::ButtonUp, button, upMs, upAt.isNull() ? at : upAt)};
}

Events move(QPoint to, qint64 ms) {
    return {recorded(Kind::PointerMove, 0, ms, to)};
}

// The events in time order; equal times keep the order they were given in.
Events inOrder(Events events) {
    std::stable_sort(events.begin(), events.end(),
                     [](const auto& a, const auto& b) { return a.input.timeMs < b.input.timeMs; });
    return events;
}

QStringList window(const QString& title = QStringLiteral("Editor")) {
    return {keyword::Window, title};
}
QStringList pointer(int x, int y) {
    return {keyword::MousePointer, QString::number(x), QString::number(y)};
}
QStringList tokens(std::initializer_list<QString> list) {
    return QStringList(list);
}
const QStringList atOnce{keyword::Immediately};
const QStringList untilOver{keyword::WaitUntilOver, QStringLiteral("0")};
QStringList after(const char* seconds) {
    return {keyword::Time, QString::fromLatin1(seconds)};
}

// Options as the record dialog and kestrun-record take them: the gaps rule
// as text.
RecordingOptions gaps(const QString& rule, bool moves = false) {
    RecordingOptions options;
    options.readGaps(rule);
    options.pointerMoves = moves;
    return options;
}

} // namespace

class RecordedPagesTest : public QObject {
    Q_OBJECT

private slots:
    void pagesFromEvents_data() {
        QTest::addColumn<Events>("events");
        QTest::addColumn<RecordingOptions>("options");
        QTest::addColumn<PageList>("commands");
        QTest::addColumn<PageList>("conditions");
        const auto keep = gaps("keep");
        const QStringList leftClick{keyword::Click, keyword::Left, QStringLiteral("0.08")};

        QTest::addRow("click") << click(vk::LButton, {10, 20}, 100, 180) << keep
                               << PageList{window(), pointer(10, 20), leftClick}
                               << PageList{atOnce, atOnce, untilOver};
        QTest::addRow("drag moves over the time the pointer moved")
            << inOrder(click(vk::LButton, {10, 20}, 0, 500, {90, 100}) + move({50, 60}, 200) +
                       move({90, 100}, 300))
            << keep
            << PageList{window(), pointer(10, 20), tokens({keyword::Click, keyword::Left, "0.5"}),
                        tokens({keyword::SmoothMove, "90", "100", "0.3"})}
            << PageList{atOnce, atOnce, atOnce, untilOver};
        QTest::addRow("drag without moves ends its move before the release")
            << click(vk::RButton, {10, 20}, 0, 400, {30, 20}) << keep
            << PageList{window(), pointer(10, 20), tokens({keyword::Click, keyword::Right, "0.4"}),
                        tokens({keyword::SmoothMove, "30", "20", "0.38"})}
            << PageList{atOnce, atOnce, atOnce, untilOver};
        // Typed over 0.6 s (6 keys 0.1 s apart) and a pause of 0.5 s.
        QTest::addRow("text waits its length and the pause")
            << inOrder(typed(QStringLiteral("Hello!"), 0, 100) + tap(vk::LShift, -10, 20) +
                       tap(vk::RShift, 490, 520) + tap(vk::LControl, 1090, 1300) +
                       tap(keyA, 1100, 1250))
            << keep
            << PageList{window(), tokens({keyword::EnterText, "Hello!", "0.6"}),
                        tokens({keyword::Key, "65,2", "0.15"})}
            << PageList{atOnce, after("1.1"), untilOver};
        QTest::addRow("enter, tab and backspace inside typing")
            << inOrder(typed(QStringLiteral("ab"), 0, 100) + tap(8, 200, 210) +
                       typed(QStringLiteral("c"), 300, 100) + tap(keyEnter, 400, 410) +
                       typed(QStringLiteral("d"), 500, 100) + tap(9, 600, 610))
            << keep << PageList{window(), tokens({keyword::EnterText, "ac\nd\t", "0.7"})}
            << PageList{atOnce, untilOver};
        QTest::addRow("altgr types, dead keys wait for their letter")
            << inOrder(tap(vk::LControl, 0, 300) + tap(vk::RMenu, 0, 300) +
                       tap(81, 100, 150, QStringLiteral("@")) + tap(219, 400, 450) +
                       tap(69, 500, 550, QStringLiteral("é")))
            << keep << PageList{window(), tokens({keyword::EnterText, "@é", "0.8"})}
            << PageList{atOnce, untilOver};
        QTest::addRow("special keys alone, held as long as they were")
            << inOrder(tap(116, 0, 200) + tap(vk::LShift, 290, 500) + tap(37, 300, 400) +
                       tap(keyEnter, 1000, 1050))
            << keep
            << PageList{window(), tokens({keyword::Key, "116,0", "0.2"}),
                        tokens({keyword::Key, "37,4", "0.1"}),
                        tokens({keyword::Key, "13,0", "0.05"})}
            << PageList{atOnce, after("0.3"), after("0.7"), untilOver};
        QTest::addRow("a pause in typing starts another text page")
            << inOrder(typed(QStringLiteral("ab"), 0, 100) + typed(QStringLiteral("cd"), 900, 50))
            << keep
            << PageList{window(), tokens({keyword::EnterText, "ab", "0.2"}),
                        tokens({keyword::EnterText, "cd", "0.1"})}
            << PageList{atOnce, after("0.9"), untilOver};
        QTest::addRow("a held combination repeats into one page")
            << inOrder(tap(vk::RControl, 0, 700) + tap(keyA, 100, 600) +
                       Events{recorded(Kind::KeyDown, keyA, 400)})
            << keep << PageList{window(), tokens({keyword::Key, "65,2", "0.5"})}
            << PageList{atOnce, untilOver};
        QTest::addRow("pauses under 0.05 s join")
            << inOrder(click(vk::LButton, {1, 2}, 0, 80) + typed(QStringLiteral("x"), 120, 100))
            << keep
            << PageList{window(), pointer(1, 2), leftClick,
                        tokens({keyword::EnterText, "x", "0.01"})}
            << PageList{atOnce, atOnce, untilOver, untilOver};
        QTest::addRow("pauses capped")
            << inOrder(tap(116, 0, 100) + tap(117, 5000, 5100) + tap(118, 5600, 5700))
            << gaps("cap:1")
            << PageList{window(), tokens({keyword::Key, "116,0", "0.1"}),
                        tokens({keyword::Key, "117,0", "0.1"}),
                        tokens({keyword::Key, "118,0", "0.1"})}
            << PageList{atOnce, after("1.1"), after("0.6"), untilOver};
        QTest::addRow("every action waits until over")
            << inOrder(tap(116, 0, 100) + tap(117, 5000, 5100)) << gaps("over")
            << PageList{window(), tokens({keyword::Key, "116,0", "0.1"}),
                        tokens({keyword::Key, "117,0", "0.1"})}
            << PageList{atOnce, untilOver, untilOver};
        QTest::addRow("a window page when the active window changes")
            << inOrder(tap(116, 0, 100, {}, QStringLiteral("Mail")) +
                       tap(117, 200, 300, {}, QStringLiteral("Mail")) +
                       tap(118, 400, 500, {}, QStringLiteral("Editor")) +
                       tap(119, 600, 700, {}, QString()))
            << keep << PageList{window(QStringLiteral("Mail")),
                                tokens({keyword::Key, "116,0", "0.1"}),
                                tokens({keyword::Key, "117,0", "0.1"}),
                                window(),
                                tokens({keyword::Key, "118,0", "0.1"}),
                                tokens({keyword::Key, "119,0", "0.1"})}
            << PageList{atOnce, after("0.2"), after("0.2"), atOnce, after("0.2"), untilOver};
        QTest::addRow("own windows, middle buttons and lone modifiers are not recorded")
            << inOrder(click(vk::LButton, {5, 5}, 0, 50, {}, ownWindow) +
                       click(vk::MButton, {5, 5}, 100, 150) + tap(vk::LControl, 200, 300) +
                       tap(20, 400, 500))
            << keep << PageList{} << PageList{};
        QTest::addRow("pointer moves that rest, when asked")
            << inOrder(move({10, 10}, 0) + move({20, 20}, 200) + move({30, 30}, 400) +
                       move({40, 40}, 1000) + click(vk::LButton, {40, 40}, 1100, 1180))
            << gaps("keep", true)
            << PageList{tokens({keyword::SmoothMove, "30", "30", "0.4"}), window(), pointer(40, 40),
                        leftClick}
            << PageList{after("1.1"), atOnce, atOnce, untilOver};
        QTest::addRow("pointer moves not asked for")
            << inOrder(move({10, 10}, 0) + move({30, 30}, 400) + tap(116, 1000, 1100)) << keep
            << PageList{window(), tokens({keyword::Key, "116,0", "0.1"})}
            << PageList{atOnce, untilOver};
        QTest::addRow("text deleted to nothing keeps its time")
            << inOrder(typed(QStringLiteral("a"), 0, 100) + tap(8, 100, 150) + tap(8, 200, 250) +
                       tap(116, 400, 450))
            << keep
            << PageList{window(), tokens({keyword::None}), tokens({keyword::Key, "8,0", "0.05"}),
                        tokens({keyword::Key, "116,0", "0.05"})}
            << PageList{atOnce, untilOver, after("0.2"), untilOver};
        QTest::addRow("presses still held end with the recording")
            << Events{recorded(Kind::ButtonDown, vk::LButton, 0, {3, 4})} << keep
            << PageList{window(), pointer(3, 4), tokens({keyword::Click, keyword::Left, "2"})}
            << PageList{atOnce, atOnce, untilOver};
    }
    void pagesFromEvents() {
        QFETCH(Events, events);
        QFETCH(RecordingOptions, options);
        QFETCH(PageList, commands);
        QFETCH(PageList, conditions);
        const RecordedPages pages =
            pagesFromRecording({events.begin(), events.end()}, 2000, options, {ownWindow});
        QCOMPARE(pages.commands, commands);
        QCOMPARE(pages.conditions, conditions);
    }
};

QTEST_GUILESS_MAIN(RecordedPagesTest)
#include "tst_recordedpages.moc"
