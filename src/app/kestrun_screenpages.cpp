#include "app/kestrun.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include "app/frozendesktop.h"
#include "app/imagecaptureoverlay.h"
#include "app/imagefield.h"
#include "app/matchframe.h"
#include "app/screenpointer.h"
#include "app/styles.h"
#include "model/screenpages.h"
#include "platform/platform.h"
#include "vision/imagefinder.h"

namespace {

// Long enough for the desktop to repaint what the hidden window covered.
constexpr int hiddenBeforeCaptureMs = 300;
constexpr int matchFrameMs = 1000;

QString similarityText(double similarity) {
    return QString::number(similarity, 'f', 2);
}

} // namespace

void kestrun::connectScreenPages() {
    connect(fields.command_image_take_button, &QPushButton::clicked, this,
            [this] { takeImage(false); });
    connect(fields.condition_image_take_button, &QPushButton::clicked, this,
            [this] { takeImage(true); });
    connect(fields.image_test_button, &QPushButton::clicked, this,
            [this] { testScreenPage(false); });
    connect(fields.condition_test_button, &QPushButton::clicked, this,
            [this] { testScreenPage(true); });
    connect(fields.color_edit, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (const std::optional<QRgb> color = screenpages::colorFromToken(text))
            fields.color_swatch->setStyleSheet(style::swatch(screenpages::colorToken(*color)));
    });
}

void kestrun::showScreenMessage(const QString& text) {
    QMessageBox::information(
        this, settings.is_japanese ? QStringLiteral("テスト") : QStringLiteral("Test"), text);
}

// The window leaves the screen first, so the screenshot shows what lies
// beneath it.
void kestrun::takeImage(bool forCondition) {
    ScreenCapture& capture = Platform::instance().screenCapture();
    const QString reason = capture.unavailableReason(settings.is_japanese);
    if (!reason.isEmpty()) {
        QMessageBox::warning(
            this, settings.is_japanese ? QStringLiteral("エラー") : QStringLiteral("Error"),
            reason);
        return;
    }
    hide();
    QTimer::singleShot(hiddenBeforeCaptureMs, this,
                       [this, forCondition] { freezeDesktop(forCondition); });
}

void kestrun::freezeDesktop(bool forCondition) {
    ScreenCapture& capture = Platform::instance().screenCapture();
    const QRect area = capture.desktopArea();
    QImage shot = capture.grab(area);
    if (shot.isNull()) {
        show();
        activateWindow();
        QMessageBox::warning(
            this, settings.is_japanese ? QStringLiteral("エラー") : QStringLiteral("Error"),
            settings.is_japanese ? QStringLiteral("画面を取得できませんでした。")
                                 : QStringLiteral("The screen could not be captured."));
        return;
    }
    auto* overlay = new ImageCaptureOverlay(FrozenDesktop(std::move(shot), area, screenAreas()),
                                            settings.is_japanese);
    connect(overlay, &ImageCaptureOverlay::taken, this, [this, forCondition](const QImage& image) {
        show();
        activateWindow();
        ImageField* field = forCondition ? fields.condition_image_view : fields.command_image_view;
        field->setToken(screenpages::imageToken(image), settings.is_japanese);
        writeFieldsBack();
        refresh();
    });
    connect(overlay, &ImageCaptureOverlay::cancelled, this, [this] {
        show();
        activateWindow();
    });
    overlay->show();
}

// Ctrl+Alt+G on a colour page: the pixel under the pointer and its place.
void kestrun::takeColor() {
    const QPoint pointer = Platform::instance().input().cursorPosition();
    const QImage pixel = Platform::instance().screenCapture().grab(QRect(pointer, QSize(1, 1)));
    refreshing = true;
    fields.color_x_spin->setValue(pointer.x());
    fields.color_y_spin->setValue(pointer.y());
    if (!pixel.isNull())
        fields.color_edit->setText(screenpages::colorToken(pixel.pixel(0, 0)));
    refreshing = false;
    writeFieldsBack();
}

void kestrun::testScreenPage(bool forCondition) {
    const QStringList tokens =
        forCondition ? list_condition[current_page - 1] : list_command[current_page - 1];
    ScreenCapture& capture = Platform::instance().screenCapture();
    const QString reason = capture.unavailableReason(settings.is_japanese);
    if (!reason.isEmpty()) {
        showScreenMessage(reason);
        return;
    }
    hide();
    QTimer::singleShot(hiddenBeforeCaptureMs, this, [this, tokens] {
        if (tokenAt(tokens, 0) == keyword::Color)
            probeNow(tokens);
        else
            searchNow(tokens);
    });
}

void kestrun::searchNow(const QStringList& tokens) {
    const bool japanese = settings.is_japanese;
    QString error;
    QString japaneseError;
    const std::optional<screenpages::ImageSearch> search =
        screenpages::readImageSearch(tokens, &error, &japaneseError);
    std::optional<ImageMatch> match;
    QRect area;
    if (search) {
        ScreenCapture& capture = Platform::instance().screenCapture();
        area = search->region.isNull() ? capture.desktopArea() : search->region;
        const QImage shot = capture.grab(area);
        if (!shot.isNull())
            match = ImageFinder(search->image).bestMatch(shot, search->similarity);
    }
    show();
    activateWindow();
    if (!search) {
        showScreenMessage(japanese ? japaneseError : error);
        return;
    }
    if (match && match->similarity >= search->similarity) {
        const QRect found = match->rect.translated(area.topLeft());
        showMatchFrame(toDeviceIndependent(found, screenAreas()), matchFrameMs);
        const QString text =
            japanese ? QStringLiteral("(%1, %2) に見つかりました（%3 × %4、類似度 %5）。")
                     : QStringLiteral("Found at (%1, %2), %3 x %4, similarity %5.");
        showScreenMessage(text.arg(found.x())
                              .arg(found.y())
                              .arg(found.width())
                              .arg(found.height())
                              .arg(similarityText(match->similarity)));
        return;
    }
    const QString best = match ? similarityText(match->similarity) : QStringLiteral("-");
    showScreenMessage(
        (japanese ? QStringLiteral("見つかりませんでした（最も高い類似度 %1、必要な類似度 %2）。")
                  : QStringLiteral("Not found: the best similarity seen was %1, %2 is needed."))
            .arg(best, similarityText(search->similarity)));
}

void kestrun::probeNow(const QStringList& tokens) {
    const bool japanese = settings.is_japanese;
    QString error;
    QString japaneseError;
    const std::optional<screenpages::ColorProbe> probe =
        screenpages::readColorProbe(tokens, &error, &japaneseError);
    QImage pixel;
    if (probe)
        pixel = Platform::instance().screenCapture().grab(QRect(probe->point, QSize(1, 1)));
    show();
    activateWindow();
    if (!probe) {
        showScreenMessage(japanese ? japaneseError : error);
        return;
    }
    if (pixel.isNull()) {
        showScreenMessage(japanese ? QStringLiteral("(%1, %2) の色を取得できませんでした。")
                                         .arg(probe->point.x())
                                         .arg(probe->point.y())
                                   : QStringLiteral("The colour at (%1, %2) could not be read.")
                                         .arg(probe->point.x())
                                         .arg(probe->point.y()));
        return;
    }
    const QRgb now = pixel.pixel(0, 0);
    const bool matches = probe->matches(now);
    const QString text =
        japanese
            ? (matches ? QStringLiteral("(%1, %2) の色は %3 です。%4（許容差 %5）に一致します。")
                       : QStringLiteral("(%1, %2) の色は %3 です。%4（許容差 %5）に一致しません。"))
            : (matches ? QStringLiteral("The colour at (%1, %2) is %3: it matches %4 within %5.")
                       : QStringLiteral("The colour at (%1, %2) is %3: it does not match %4 "
                                        "within %5."));
    showScreenMessage(text.arg(probe->point.x())
                          .arg(probe->point.y())
                          .arg(screenpages::colorToken(now), screenpages::colorToken(probe->color))
                          .arg(probe->tolerance));
}
