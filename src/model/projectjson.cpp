#include "model/project.h"

#include "model/jsonscalar.h"
#include "model/screenpages.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QVariant>

#include <algorithm>
#include <utility>

namespace {

const QString commandKey = QStringLiteral("list_command");
const QString conditionKey = QStringLiteral("list_condition");

QJsonArray pagesToJson(const PageList& pages) {
    QJsonArray array;
    for (const QStringList& tokens : pages) {
        array.append(QJsonArray::fromStringList(tokens));
    }
    return array;
}

// Numbers take their shortest decimal form; anything that is no scalar
// reads as empty text.
QString tokenFromJson(const QJsonValue& value) {
    switch (value.type()) {
    case QJsonValue::String:
        return value.toString();
    case QJsonValue::Double:
        return value.toVariant().toString();
    case QJsonValue::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    default:
        return QString();
    }
}

// Type keywords, numbers and key texts recur page after page, and so do
// whole pages; one shared copy of each short token and of each page made of
// them keeps a large project a fraction of its size. An edit detaches the
// page it changes, as with any implicitly shared list.
class SharedTokens {
public:
    QString token(const QString& text) {
        return text.size() > longestShared ? text : *tokens.insert(text);
    }

    QStringList page(const QStringList& page) {
        for (const QString& text : page) {
            if (text.size() > longestShared) {
                return page;
            }
        }
        return *pages.insert(page);
    }

private:
    static constexpr qsizetype longestShared = 32;
    QSet<QString> tokens;
    QSet<QStringList> pages;
};

PageList pagesFromJson(const QJsonValue& value, SharedTokens& shared) {
    const QJsonArray array = value.toArray();
    PageList pages;
    pages.reserve(array.size());
    for (const QJsonValue& page : array) {
        if (!page.isArray()) {
            continue;
        }
        const QJsonArray tokenArray = page.toArray();
        QStringList tokens;
        tokens.reserve(tokenArray.size());
        for (const QJsonValue& token : tokenArray) {
            tokens.append(shared.token(tokenFromJson(token)));
        }
        pages.append(shared.page(tokens));
    }
    return pages;
}

// The editor and the run loop address every page of both lists and the
// type keyword of each, so a hand-edited file is padded to that shape.
Project completed(PageList commands, PageList conditions) {
    if (commands.isEmpty() && conditions.isEmpty()) {
        return Project::blank();
    }
    const qsizetype pageCount = std::max(commands.size(), conditions.size());
    commands.resize(pageCount);
    conditions.resize(pageCount);
    const QStringList none{keyword::None};
    for (QStringList& tokens : commands) {
        if (tokens.isEmpty()) {
            tokens = none;
        }
    }
    const QStringList immediately{keyword::Immediately};
    for (QStringList& tokens : conditions) {
        if (tokens.isEmpty()) {
            tokens = immediately;
        }
    }
    return {std::move(commands), std::move(conditions)};
}

ReadResult readError(const QString& text, const QString& english) {
    return {false, {}, {QStringLiteral("読み込みエラー"), text, english}};
}

// The first page whose screen tokens are bad, named by its number, list and
// type, so the user knows where to look.
std::optional<ReadResult> tokenRefusal(const PageList& pages, const QString& japaneseList,
                                       const QString& englishList) {
    for (qsizetype i = 0; i < pages.size(); ++i) {
        const std::optional<screenpages::TokenError> error = screenpages::screenPageError(pages[i]);
        if (!error)
            continue;
        const QString type = pages[i].first();
        return readError(QStringLiteral("%1 ページ目の%2「%3」：%4")
                             .arg(i + 1)
                             .arg(japaneseList, type, error->japanese),
                         QStringLiteral("Page %1, %2 \"%3\": %4")
                             .arg(i + 1)
                             .arg(englishList, type, error->english));
    }
    return {};
}

} // namespace

QByteArray projectToJson(const Project& project) {
    QJsonObject root;
    root.insert(commandKey, pagesToJson(project.list_command));
    root.insert(conditionKey, pagesToJson(project.list_condition));
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

ReadResult projectFromJson(const QByteArray& data) {
    const QString formatError = QStringLiteral("ファイルの形式が正しくありません。");
    const QString formatEnglish = QStringLiteral("The file is no Kestrun project.");
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(data, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        if (isJsonScalar(data)) {
            return readError(formatError, formatEnglish);
        }
        return readError(
            QStringLiteral("JSON 解析エラー: %1").arg(parseError.errorString()),
            QStringLiteral("The file is no valid JSON: %1.").arg(parseError.errorString()));
    }
    if (!document.isObject()) {
        return readError(formatError, formatEnglish);
    }
    const QJsonObject root = document.object();
    const QJsonValue commands = root.value(commandKey);
    const QJsonValue conditions = root.value(conditionKey);
    // Some other JSON file opened by mistake must not become a blank project
    // that a later Save would write over it.
    if (!commands.isArray() && !conditions.isArray()) {
        return readError(formatError, formatEnglish);
    }
    SharedTokens shared;
    Project project = completed(pagesFromJson(commands, shared), pagesFromJson(conditions, shared));
    if (std::optional<ReadResult> refusal =
            tokenRefusal(project.list_command, QStringLiteral("操作"), QStringLiteral("operation")))
        return *refusal;
    if (std::optional<ReadResult> refusal = tokenRefusal(
            project.list_condition, QStringLiteral("条件"), QStringLiteral("condition")))
        return *refusal;
    return {true, std::move(project), {}};
}
