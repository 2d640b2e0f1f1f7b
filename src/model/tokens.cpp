#include "model/tokens.h"

#include "model/pagetypes.h"

namespace {

// An English display name's keyword; any unknown text stays itself.
QString keywordForEnglish(std::span<const PageType> types, const QString& display) {
    for (const PageType& type : types)
        if (display == QLatin1String(type.english))
            return type.keyword;
    return display;
}

QStringList defaultsOf(const PageType* type, const QTime& now, const QStringList& unknown) {
    return type ? type->defaults(now) : unknown;
}

} // namespace

QStringList blankCommand() {
    return {keyword::None};
}

QStringList blankCondition() {
    return {keyword::WaitUntilOver, QStringLiteral("0.1")};
}

QStringList defaultCommand(const QString& typeKeyword) {
    return defaultsOf(findByKeyword(operationTypes(), typeKeyword), QTime(), blankCommand());
}

QStringList defaultCondition(const QString& typeKeyword, const QTime& now) {
    return defaultsOf(findByKeyword(conditionTypes(), typeKeyword), now, blankCondition());
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
    return japanese ? display : keywordForEnglish(operationTypes(), display);
}

QString conditionKeywordForDisplay(const QString& display, bool japanese) {
    return japanese ? display : keywordForEnglish(conditionTypes(), display);
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
