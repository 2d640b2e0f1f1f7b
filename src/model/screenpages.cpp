#include "model/screenpages.h"

#include "model/tokens.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>
#include <cstdlib>

namespace {

using Failure = std::optional<screenpages::TokenError>;

// Names a token by what it holds and where, in both languages.
struct TokenName {
    const char* english;
    const char* japanese;
    int index;

    QString inEnglish() const {
        return QStringLiteral("The %1 (token %2)").arg(QLatin1String(english)).arg(index);
    }
    QString inJapanese() const {
        return QStringLiteral("%1（トークン %2）").arg(QString::fromUtf8(japanese)).arg(index);
    }
    screenpages::TokenError wrong(const QString& japaneseReason,
                                  const QString& englishReason) const {
        return {inJapanese() + japaneseReason, inEnglish() + englishReason};
    }
    // A bad value quoted back, so the user sees what to fix.
    screenpages::TokenError badValue(const QStringList& tokens, const QString& japaneseReason,
                                     const QString& englishReason) const {
        const QString value = tokenAt(tokens, index);
        return {inJapanese() + QStringLiteral("「%1」").arg(value) + japaneseReason,
                inEnglish() + QStringLiteral(" \"%1\"").arg(value) + englishReason};
    }
};

const TokenName imageName{"image", "画像", 1};
const TokenName similarityName{"similarity", "類似度", 2};
const TokenName regionName{"region", "範囲", 3};
const TokenName modeName{"mode", "モード", 4};
const TokenName dxName{"DX", "DX", 4};
const TokenName dyName{"DY", "DY", 5};
const TokenName xName{"X", "X", 1};
const TokenName yName{"Y", "Y", 2};
const TokenName colorName{"colour", "色", 3};
const TokenName toleranceName{"tolerance", "許容差", 4};

// A missing or empty token takes its default.
bool isDefaulted(const QStringList& tokens, int index) {
    return tokenAt(tokens, index).isEmpty();
}

bool hasPngSignature(const QByteArray& data) {
    static const QByteArray signature("\x89PNG\r\n\x1a\n", 8);
    return data.startsWith(signature);
}

// The size is checked from the PNG header before anything is decoded, so a
// token claiming a huge image costs nothing.
Failure readImage(const QStringList& tokens, QImage* image) {
    const QString token = tokenAt(tokens, imageName.index);
    if (token.isEmpty()) {
        return imageName.wrong(QStringLiteral("がありません。"), QStringLiteral(" is missing."));
    }
    const QByteArray::FromBase64Result decoded =
        QByteArray::fromBase64Encoding(token.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.isEmpty()) {
        return imageName.wrong(QStringLiteral("が base64 ではありません。"),
                               QStringLiteral(" is not base64 text."));
    }
    if (!hasPngSignature(decoded.decoded)) {
        return imageName.wrong(QStringLiteral("が PNG 画像ではありません。"),
                               QStringLiteral(" is not a PNG image."));
    }
    QBuffer buffer;
    buffer.setData(decoded.decoded);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    const QSize size = reader.size();
    const int limit = screenpages::maximumImageSide;
    if (size.width() > limit || size.height() > limit) {
        return imageName.wrong(QStringLiteral("が %1 × %2 ピクセルで、%3 × %3 を超えています。")
                                   .arg(size.width())
                                   .arg(size.height())
                                   .arg(limit),
                               QStringLiteral(" is %1 x %2 pixels, larger than %3 x %3.")
                                   .arg(size.width())
                                   .arg(size.height())
                                   .arg(limit));
    }
    *image = reader.read();
    if (image->isNull()) {
        return imageName.wrong(QStringLiteral("の PNG が壊れています。"),
                               QStringLiteral(" is a damaged PNG image."));
    }
    return {};
}

Failure readSimilarity(const QStringList& tokens, double* similarity) {
    if (isDefaulted(tokens, similarityName.index)) {
        *similarity = screenpages::defaultSimilarity;
        return {};
    }
    bool ok = false;
    const double value = tokenAt(tokens, similarityName.index).toDouble(&ok);
    // Written so that NaN fails too.
    if (!ok || !(value >= screenpages::minimumSimilarity && value <= 1)) {
        return similarityName.badValue(tokens,
                                       QStringLiteral("が 0.5 から 1 までの数ではありません。"),
                                       QStringLiteral(" is not a number from 0.5 to 1."));
    }
    *similarity = value;
    return {};
}

Failure readRegion(const QStringList& tokens, QRect* region) {
    const std::optional<QRect> read =
        screenpages::regionFromToken(tokenAt(tokens, regionName.index));
    if (!read) {
        return regionName.badValue(
            tokens, QStringLiteral("が空でも x,y,w,h（幅と高さは正の整数）でもありません。"),
            QStringLiteral(" is neither empty nor x,y,w,h with a positive width and height."));
    }
    *region = *read;
    return {};
}

Failure readInteger(const QStringList& tokens, const TokenName& name, int* value) {
    if (isDefaulted(tokens, name.index)) {
        *value = 0;
        return {};
    }
    bool ok = false;
    *value = tokenAt(tokens, name.index).toInt(&ok);
    if (!ok) {
        return name.badValue(tokens, QStringLiteral("が整数ではありません。"),
                             QStringLiteral(" is not a whole number."));
    }
    return {};
}

Failure readMode(const QStringList& tokens, bool* untilGone) {
    const QString mode = tokenAt(tokens, modeName.index);
    *untilGone = mode == keyword::Disappears;
    if (mode.isEmpty() || mode == keyword::Appears || *untilGone) {
        return {};
    }
    return modeName.badValue(tokens,
                             QStringLiteral("が「%1」でも「%2」でもありません。")
                                 .arg(keyword::Appears, keyword::Disappears),
                             QStringLiteral(" is neither \"%1\" nor \"%2\".")
                                 .arg(keyword::Appears, keyword::Disappears));
}

Failure readColor(const QStringList& tokens, QRgb* color) {
    const QString token = tokenAt(tokens, colorName.index);
    const std::optional<QRgb> read =
        token.isEmpty() ? qRgb(0, 0, 0) : screenpages::colorFromToken(token);
    if (!read) {
        return colorName.badValue(tokens, QStringLiteral("が #RRGGBB ではありません。"),
                                  QStringLiteral(" is not #RRGGBB."));
    }
    *color = *read;
    return {};
}

Failure readTolerance(const QStringList& tokens, int* tolerance) {
    const Failure failure = readInteger(tokens, toleranceName, tolerance);
    if (failure || (*tolerance >= 0 && *tolerance <= 255))
        return failure;
    return toleranceName.badValue(tokens,
                                  QStringLiteral("が 0 から 255 までの整数ではありません。"),
                                  QStringLiteral(" is not a whole number from 0 to 255."));
}

// Everything of an image page but the image, which the caller may spare.
Failure readSearchParameters(const QStringList& tokens, screenpages::ImageSearch* search) {
    if (Failure failure = readSimilarity(tokens, &search->similarity))
        return failure;
    if (Failure failure = readRegion(tokens, &search->region))
        return failure;
    if (tokenAt(tokens, 0) == keyword::MoveToImage) {
        int dx = 0;
        int dy = 0;
        if (Failure failure = readInteger(tokens, dxName, &dx))
            return failure;
        if (Failure failure = readInteger(tokens, dyName, &dy))
            return failure;
        search->offset = QPoint(dx, dy);
        return {};
    }
    return readMode(tokens, &search->untilGone);
}

Failure readProbe(const QStringList& tokens, screenpages::ColorProbe* probe) {
    int x = 0;
    int y = 0;
    if (Failure failure = readInteger(tokens, xName, &x))
        return failure;
    if (Failure failure = readInteger(tokens, yName, &y))
        return failure;
    probe->point = QPoint(x, y);
    if (Failure failure = readColor(tokens, &probe->color))
        return failure;
    return readTolerance(tokens, &probe->tolerance);
}

template <typename Value>
std::optional<Value> reported(const Failure& failure, Value value, QString* error,
                              QString* japaneseError) {
    if (!failure)
        return value;
    if (error)
        *error = failure->english;
    if (japaneseError)
        *japaneseError = failure->japanese;
    return {};
}

} // namespace

namespace screenpages {

bool ColorProbe::matches(QRgb pixel) const {
    return std::abs(qRed(pixel) - qRed(color)) <= tolerance &&
           std::abs(qGreen(pixel) - qGreen(color)) <= tolerance &&
           std::abs(qBlue(pixel) - qBlue(color)) <= tolerance;
}

std::optional<ImageSearch> readImageSearch(const QStringList& tokens, QString* error,
                                           QString* japaneseError) {
    ImageSearch search;
    Failure failure = readImage(tokens, &search.image);
    if (!failure)
        failure = readSearchParameters(tokens, &search);
    return reported(failure, search, error, japaneseError);
}

std::optional<ColorProbe> readColorProbe(const QStringList& tokens, QString* error,
                                         QString* japaneseError) {
    ColorProbe probe;
    const Failure failure = readProbe(tokens, &probe);
    return reported(failure, probe, error, japaneseError);
}

std::optional<TokenError> screenPageError(const QStringList& tokens) {
    const QString type = tokenAt(tokens, 0);
    if (type == keyword::Color) {
        ColorProbe probe;
        return readProbe(tokens, &probe);
    }
    if (type != keyword::Image && type != keyword::MoveToImage)
        return {};
    ImageSearch search;
    if (!tokenAt(tokens, imageName.index).isEmpty()) {
        if (Failure failure = readImage(tokens, &search.image))
            return failure;
    }
    return readSearchParameters(tokens, &search);
}

std::optional<QRect> regionFromToken(const QString& token) {
    if (token.isEmpty())
        return QRect();
    const QStringList parts = token.split(u',');
    if (parts.size() != 4)
        return {};
    int values[4] = {};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = parts.at(i).toInt(&ok);
        if (!ok)
            return {};
    }
    if (values[2] <= 0 || values[3] <= 0)
        return {};
    return QRect(values[0], values[1], values[2], values[3]);
}

// Checked by hand rather than with QRegularExpression: a run reads its pages
// on threads of its own, and the per-thread state a match leaves behind
// crashes a MinGW-built thread as it ends.
std::optional<QRgb> colorFromToken(const QString& token) {
    const auto isHexDigit = [](QChar c) {
        return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
    };
    if (token.size() != 7 || token.front() != u'#' ||
        !std::all_of(token.begin() + 1, token.end(), isHexDigit))
        return {};
    return qRgb(0, 0, 0) | token.mid(1).toUInt(nullptr, 16);
}

QString colorToken(QRgb color) {
    return QStringLiteral("#%1").arg(color & 0xffffff, 6, 16, QLatin1Char('0')).toUpper();
}

QString imageToken(const QImage& image) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QString::fromLatin1(buffer.data().toBase64());
}

QString regionToken(const QRect& region) {
    if (region.isNull())
        return QString();
    return QStringLiteral("%1,%2,%3,%4")
        .arg(region.x())
        .arg(region.y())
        .arg(region.width())
        .arg(region.height());
}

} // namespace screenpages
