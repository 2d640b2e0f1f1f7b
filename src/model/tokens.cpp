#include "model/tokens.h"

#include <array>
#include <utility>

namespace {

using NamePair = std::pair<const QString*, const char*>;

// Keyword and English display name, in menu order.
const std::array<NamePair, 6> commandNames{{
    {&keyword::None, "None"},
    {&keyword::Click, "Click"},
    {&keyword::MousePointer, "Mouse Pointer"},
    {&keyword::SmoothMove, "Smooth Move"},
    {&keyword::Key, "Key"},
    {&keyword::EnterText, "Enter Text"},
}};

const std::array<NamePair, 6> conditionNames{{
    {&keyword::WaitUntilOver, "Wait until over"},
    {&keyword::Time, "Time"},
    {&keyword::Immediately, "Immediately"},
    {&keyword::Click, "Click"},
    {&keyword::Key, "Key"},
    {&keyword::ClockTime, "Clock Time"},
}};

template <std::size_t N>
QString keywordForEnglish(const std::array<NamePair, N>& names, const QString& display) {
    for (const auto& [stored, english] : names) {
        if (display == QLatin1String(english)) {
            return *stored;
        }
    }
    return display;
}

} // namespace

QStringList blankCommand() {
    return {keyword::None};
}

QStringList blankCondition() {
    return {keyword::WaitUntilOver, QStringLiteral("0.1")};
}

QStringList defaultCommand(const QString& typeKeyword) {
    if (typeKeyword == keyword::Click) {
        return {keyword::Click, keyword::Left, QStringLiteral("0.01")};
    }
    if (typeKeyword == keyword::MousePointer) {
        return {keyword::MousePointer, QStringLiteral("0"), QStringLiteral("0")};
    }
    if (typeKeyword == keyword::SmoothMove) {
        return {keyword::SmoothMove, QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1")};
    }
    if (typeKeyword == keyword::Key) {
        return {keyword::Key, QString(), QStringLiteral("0.01")};
    }
    if (typeKeyword == keyword::EnterText) {
        return {keyword::EnterText, QString(), QStringLiteral("3")};
    }
    return blankCommand();
}

QStringList defaultCondition(const QString& typeKeyword, const QTime& now) {
    if (typeKeyword == keyword::Immediately) {
        return {keyword::Immediately};
    }
    if (typeKeyword == keyword::Time) {
        return {keyword::Time, QStringLiteral("0.1")};
    }
    if (typeKeyword == keyword::Click) {
        return {keyword::Click, keyword::Left};
    }
    if (typeKeyword == keyword::Key) {
        return {keyword::Key, QString()};
    }
    if (typeKeyword == keyword::ClockTime) {
        return {keyword::ClockTime, QString::number(now.hour()), QString::number(now.minute())};
    }
    return blankCondition();
}

QString formatSeconds(double seconds) {
    return QString::number(seconds, 'g', 6);
}

QString tokenAt(const QStringList& tokens, int index) {
    return index >= 0 && index < tokens.size() ? tokens.at(index) : QString();
}

int tokenInt(const QStringList& tokens, int index) {
    return tokenAt(tokens, index).toInt(nullptr, 10);
}

double tokenDouble(const QStringList& tokens, int index) {
    return tokenAt(tokens, index).toDouble();
}

QString commandKeywordForDisplay(const QString& display, bool japanese) {
    return japanese ? display : keywordForEnglish(commandNames, display);
}

QString conditionKeywordForDisplay(const QString& display, bool japanese) {
    return japanese ? display : keywordForEnglish(conditionNames, display);
}

QString buttonKeywordForDisplay(const QString& display) {
    return display == QLatin1String("Right") || display == keyword::Right ? keyword::Right
                                                                          : keyword::Left;
}

QString buttonDisplayName(const QString& button, bool japanese) {
    if (japanese) {
        return button;
    }
    return button == keyword::Right ? QStringLiteral("Right") : QStringLiteral("Left");
}
