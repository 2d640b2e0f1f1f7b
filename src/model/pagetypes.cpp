#include "model/pagetypes.h"

namespace {

// A key token that names no key yet.
bool keyMissing(const QStringList& tokens) {
    const QString key = tokenAt(tokens, 1);
    return key.isEmpty() || key == keyword::None;
}

bool textMissing(const QStringList& tokens) {
    return tokenAt(tokens, 1).isEmpty();
}

// An image page made in the editor waits for its image to be taken.
bool imageMissing(const QStringList& tokens) {
    return tokenAt(tokens, 1).isEmpty();
}

} // namespace

QString PageType::name(bool japanese) const {
    return japanese ? keyword : QString::fromUtf8(english);
}

std::span<const PageType> operationTypes() {
    static const PageType types[] = {
        {keyword::None, "None", [](const QTime&) { return blankCommand(); }},
        {keyword::Click, "Click",
         [](const QTime&) {
             return QStringList{keyword::Click, keyword::Left, QStringLiteral("0.01")};
         }},
        {keyword::MousePointer, "Mouse Pointer",
         [](const QTime&) {
             return QStringList{keyword::MousePointer, QStringLiteral("0"), QStringLiteral("0")};
         }},
        {keyword::SmoothMove, "Smooth Move",
         [](const QTime&) {
             return QStringList{keyword::SmoothMove, QStringLiteral("0"), QStringLiteral("0"),
                                QStringLiteral("1")};
         }},
        {keyword::Key, "Key",
         [](const QTime&) {
             return QStringList{keyword::Key, QString(), QStringLiteral("0.01")};
         },
         keyMissing},
        {keyword::EnterText, "Enter Text",
         [](const QTime&) {
             return QStringList{keyword::EnterText, QString(), QStringLiteral("3")};
         },
         textMissing},
        {keyword::Window, "Window",
         [](const QTime&) {
             return QStringList{keyword::Window, QString()};
         },
         textMissing},
        {keyword::MoveToImage, "Move to Image",
         [](const QTime&) {
             return QStringList{keyword::MoveToImage,  QString(),
                                QStringLiteral("0.9"), QString(),
                                QStringLiteral("0"),   QStringLiteral("0")};
         },
         imageMissing},
    };
    return types;
}

std::span<const PageType> conditionTypes() {
    static const PageType types[] = {
        {keyword::WaitUntilOver, "Wait until over", [](const QTime&) { return blankCondition(); }},
        {keyword::Time, "Time",
         [](const QTime&) {
             return QStringList{keyword::Time, QStringLiteral("0.1")};
         }},
        {keyword::Immediately, "Immediately",
         [](const QTime&) { return QStringList{keyword::Immediately}; }},
        {keyword::Click, "Click",
         [](const QTime&) {
             return QStringList{keyword::Click, keyword::Left};
         }},
        {keyword::Key, "Key",
         [](const QTime&) {
             return QStringList{keyword::Key, QString()};
         },
         keyMissing},
        {keyword::ClockTime, "Clock Time",
         [](const QTime& now) {
             return QStringList{keyword::ClockTime, QString::number(now.hour()),
                                QString::number(now.minute())};
         }},
        {keyword::Window, "Window",
         [](const QTime&) {
             return QStringList{keyword::Window, QString()};
         },
         textMissing},
        {keyword::Image, "Image",
         [](const QTime&) {
             return QStringList{keyword::Image, QString(), QStringLiteral("0.9"), QString(),
                                keyword::Appears};
         },
         imageMissing},
        {keyword::Color, "Color",
         [](const QTime&) {
             return QStringList{keyword::Color, QStringLiteral("0"), QStringLiteral("0"),
                                QStringLiteral("#000000"), QStringLiteral("0")};
         }},
    };
    return types;
}

QStringList keywordsOf(std::span<const PageType> types) {
    QStringList keywords;
    for (const PageType& type : types)
        keywords << type.keyword;
    return keywords;
}
