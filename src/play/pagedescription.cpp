#include "play/pagedescription.h"

#include "keys/keycombination.h"
#include "model/pagetypes.h"
#include "model/screenpages.h"

namespace {

QString seconds(const QStringList& tokens, int index) {
    return formatSeconds(tokenDouble(tokens, index)) + QStringLiteral(" s");
}

QString point(const QStringList& tokens) {
    return QStringLiteral("(%1, %2)").arg(tokenInt(tokens, 1)).arg(tokenInt(tokens, 2));
}

QString keyLabel(const QString& text) {
    return text.isEmpty() ? QStringLiteral("(no key)") : keyCombinationLabel(text);
}

QString quoted(QString text) {
    text.replace(u'\\', QStringLiteral("\\\\"));
    text.replace(u'\n', QStringLiteral("\\n"));
    text.replace(u'"', QStringLiteral("\\\""));
    return u'"' + text + u'"';
}

// The image, where it is looked for and how alike it must be, or why the
// page cannot run.
QString imageSearch(const QStringList& tokens,
                    QString (*describe)(const QString& image, const screenpages::ImageSearch&)) {
    QString error;
    const std::optional<screenpages::ImageSearch> search =
        screenpages::readImageSearch(tokens, &error);
    if (!search)
        return QStringLiteral("stop the run, the page cannot run: %1").arg(error);
    const QRect& region = search->region;
    const QString where = region.isNull() ? QStringLiteral("on the whole desktop")
                                          : QStringLiteral("in (%1, %2) %3 x %4")
                                                .arg(region.x())
                                                .arg(region.y())
                                                .arg(region.width())
                                                .arg(region.height());
    const QString image = QStringLiteral("the %1 x %2 image %3 (similarity %4)")
                              .arg(search->image.width())
                              .arg(search->image.height())
                              .arg(where, QString::number(search->similarity));
    return describe(image, *search);
}

QString colorProbe(const QStringList& tokens) {
    QString error;
    const std::optional<screenpages::ColorProbe> probe =
        screenpages::readColorProbe(tokens, &error);
    if (!probe)
        return QStringLiteral("stop the run, the page cannot run: %1").arg(error);
    QString text =
        QStringLiteral("go on when the pixel at (%1, %2) is #%3")
            .arg(probe->point.x())
            .arg(probe->point.y())
            .arg(QString::number(probe->color & 0xffffff, 16).rightJustified(6, u'0').toUpper());
    if (probe->tolerance > 0)
        text += QStringLiteral(" within %1 per channel").arg(probe->tolerance);
    return text;
}

// A type's one-line description, found by its keyword.
struct Description {
    const QString& keyword;
    QString (*describe)(const QStringList& tokens);
};

const Description operations[] = {
    {keyword::None, [](const QStringList&) { return QStringLiteral("nothing"); }},
    {keyword::Click,
     [](const QStringList& tokens) {
         return QStringLiteral("click the %1 button for %2")
             .arg(tokenAt(tokens, 1) == keyword::Left ? QStringLiteral("left")
                                                      : QStringLiteral("right"),
                  seconds(tokens, 2));
     }},
    {keyword::MousePointer,
     [](const QStringList& tokens) {
         return QStringLiteral("put the pointer at %1").arg(point(tokens));
     }},
    {keyword::SmoothMove,
     [](const QStringList& tokens) {
         return QStringLiteral("move the pointer to %1 over %2")
             .arg(point(tokens), seconds(tokens, 3));
     }},
    {keyword::Key,
     [](const QStringList& tokens) {
         return QStringLiteral("press %1 for %2")
             .arg(keyLabel(tokenAt(tokens, 1)), seconds(tokens, 2));
     }},
    {keyword::EnterText,
     [](const QStringList& tokens) {
         return QStringLiteral("type %1 over %2")
             .arg(quoted(tokenAt(tokens, 1)), seconds(tokens, 2));
     }},
    {keyword::Window,
     [](const QStringList& tokens) {
         return QStringLiteral("activate the window whose title contains %1")
             .arg(quoted(tokenAt(tokens, 1)));
     }},
    {keyword::MoveToImage,
     [](const QStringList& tokens) {
         return imageSearch(tokens, [](const QString& image,
                                       const screenpages::ImageSearch& search) {
             return QStringLiteral("put the pointer at (%1, %2) from the centre of %3 once found")
                 .arg(search.offset.x())
                 .arg(search.offset.y())
                 .arg(image);
         });
     }},
};

const Description conditions[] = {
    {keyword::WaitUntilOver,
     [](const QStringList& tokens) {
         return QStringLiteral("go on %1 after every operation is over").arg(seconds(tokens, 1));
     }},
    {keyword::Time,
     [](const QStringList& tokens) {
         return QStringLiteral("go on %1 after the operation started").arg(seconds(tokens, 1));
     }},
    {keyword::Immediately, [](const QStringList&) { return QStringLiteral("go on at once"); }},
    {keyword::Click,
     [](const QStringList& tokens) {
         return QStringLiteral("go on when the %1 button is pressed")
             .arg(tokenAt(tokens, 1) == keyword::Right ? QStringLiteral("right")
                                                       : QStringLiteral("left"));
     }},
    {keyword::Key,
     [](const QStringList& tokens) {
         return QStringLiteral("go on when %1 is pressed").arg(keyLabel(tokenAt(tokens, 1)));
     }},
    {keyword::ClockTime,
     [](const QStringList& tokens) {
         return QStringLiteral("go on at %1:%2")
             .arg(tokenInt(tokens, 1), 2, 10, QChar(u'0'))
             .arg(tokenInt(tokens, 2), 2, 10, QChar(u'0'));
     }},
    {keyword::Window,
     [](const QStringList& tokens) {
         return QStringLiteral("go on when the active window's title contains %1")
             .arg(quoted(tokenAt(tokens, 1)));
     }},
    {keyword::Image,
     [](const QStringList& tokens) {
         return imageSearch(tokens,
                            [](const QString& image, const screenpages::ImageSearch& search) {
                                return (search.untilGone ? QStringLiteral("go on when %1 is gone")
                                                         : QStringLiteral("go on when %1 is found"))
                                    .arg(image);
                            });
     }},
    {keyword::Color, colorProbe},
};

} // namespace

QString describeCommand(const QStringList& command) {
    const QString type = tokenAt(command, 0);
    if (const Description* found = findByKeyword<Description>(operations, type))
        return found->describe(command);
    return QStringLiteral("nothing (unknown operation %1)").arg(quoted(type));
}

QString describeCondition(const QStringList& condition) {
    const QString type = tokenAt(condition, 0);
    if (const Description* found = findByKeyword<Description>(conditions, type))
        return found->describe(condition);
    return QStringLiteral("go on at once (unknown condition %1)").arg(quoted(type));
}
