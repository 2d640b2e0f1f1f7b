#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QString>
#include <QStringList>

#include <optional>

// The parameters of the pages that look at the screen, read from their
// tokens. Coordinates are physical pixels of the whole desktop.
//   ["画像", PNG_BASE64, SIMILARITY, REGION, MODE]
//   ["画像へ移動", PNG_BASE64, SIMILARITY, REGION, DX, DY]
//   ["色", X, Y, "#RRGGBB", TOLERANCE]
namespace screenpages {

constexpr int maximumImageSide = 1024;
constexpr double minimumSimilarity = 0.5;
constexpr double defaultSimilarity = 0.9;

struct ImageSearch {
    QImage image;
    double similarity = defaultSimilarity;
    // Null for the whole desktop.
    QRect region;
    // "消える": the page goes on once the image is no longer on the screen.
    bool untilGone = false;
    // "画像へ移動": where the pointer goes, from the found image's centre.
    QPoint offset;
};

struct ColorProbe {
    QPoint point;
    QRgb color = 0;
    // Per channel, 0 to 255.
    int tolerance = 0;

    bool matches(QRgb pixel) const;
};

// Both image pages ("画像" and "画像へ移動", told apart by token 0). Empty,
// with `error` saying which token is wrong and why, for a token that is not
// base64, not a PNG, an image over 1024 x 1024, a similarity outside 0.5..1
// or a region that is not "" or "x,y,w,h". `error` is English; the same
// reason in Japanese goes to `japaneseError` where given.
std::optional<ImageSearch> readImageSearch(const QStringList& tokens, QString* error,
                                           QString* japaneseError = nullptr);
std::optional<ColorProbe> readColorProbe(const QStringList& tokens, QString* error,
                                         QString* japaneseError = nullptr);

// Why a page that looks at the screen cannot be loaded, in both languages;
// empty for a sound page and for every other page type. An image page with
// no image yet is sound: the editor makes it so, and asks for the image.
struct TokenError {
    QString japanese;
    QString english;
};
std::optional<TokenError> screenPageError(const QStringList& tokens);

// A region or colour token's value; empty for text that is neither "" nor
// "x,y,w,h" (positive size), or not "#RRGGBB". An empty region is the null
// rectangle, the whole desktop.
std::optional<QRect> regionFromToken(const QString& token);
std::optional<QRgb> colorFromToken(const QString& token);
QString colorToken(QRgb color);

// The token an image is stored as: PNG, base64.
QString imageToken(const QImage& image);
QString regionToken(const QRect& region);

} // namespace screenpages
