#include <QtTest>

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "modalanswerer.h"
#include "model/screenpages.h"
#include "testplatform.h"
#include "windowfixture.h"

using fixture::child;

namespace {

constexpr int moveToImageType = 7;
constexpr int imageCondition = 7;
constexpr int colorCondition = 8;

// A picture no shift of itself resembles.
QImage picture() {
    QImage image(40, 30, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 6, y * 8, (x * y) % 256));
    return image;
}

QWidget* frozenScreen() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String("frozen_screen_0") && widget->isVisible())
            return widget;
    return nullptr;
}

// The bars of the frame Test draws around a match, while it stands.
int frameBars() {
    int bars = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        bars += widget->objectName() == QLatin1String("match_frame") && widget->isVisible();
    return bars;
}

void undo(const kestrun& window) {
    child<QAction>(window, "undo_action")->trigger();
}

bool pressHotkey() {
    qintptr result = 0;
    return QAbstractEventDispatcher::instance()->filterNativeEvent(FakeHotkey::eventType(), nullptr,
                                                                   &result);
}

// Clicks `button` and returns the text of the message box it leads to.
QString testMessage(QPushButton* button) {
    auto answer = ModalAnswerer::messageBox(QMessageBox::Ok);
    button->click();
    if (!QTest::qWaitFor([&] { return answer->answered(); }, 5000))
        return QStringLiteral("(no message)");
    return answer->text;
}

} // namespace

// The image, colour and move-to-image pages in the editor, on a painted
// desktop: their fields, the image capture, Ctrl+Alt+G and the Test buttons.
class TestWindowScreenPages : public QObject {
    Q_OBJECT

    TestPlatform platform;

private slots:
    void initTestCase() { fixture::useTestLocations(); }
    void init() {
        fixture::writeSettings(QStringLiteral("\"is_japanese\": false"));
        platform.capture.setDesktop(QRect(0, 0, 1920, 1080));
    }

    void colourFieldsFillWriteBackAndUndo() {
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        fixture::addConditionType(window, colorCondition);
        const QStringList defaults{"色", "0", "0", "#000000", "0"};
        QCOMPARE(window.conditions()[0], defaults);
        QCOMPARE(child<QLineEdit>(window, "color_edit")->text(), "#000000");
        child<QSpinBox>(window, "tolerance_spin")->setValue(12);
        auto* color = child<QLineEdit>(window, "color_edit");
        // Half typed, the colour is not stored: the page stays loadable.
        color->setText("#12a");
        QCOMPARE(window.conditions()[0], (QStringList{"色", "0", "0", "#000000", "12"}));
        color->setText("#12a0Ff");
        QCOMPARE(window.conditions()[0], (QStringList{"色", "0", "0", "#12a0Ff", "12"}));
        undo(window);
        QCOMPARE(window.conditions()[0], defaults);
        QCOMPARE(child<QSpinBox>(window, "tolerance_spin")->value(), 0);
    }

    void aTakenImageCompletesThePageAndIsFoundByTest() {
        platform.capture.draw(QPoint(300, 200), picture());
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        fixture::addCommandType(window, moveToImageType);
        QCOMPARE(window.commands()[0], (QStringList{"画像へ移動", "", "0.9", "", "0", "0"}));
        // No image yet: the page cannot be left or run.
        QVERIFY(child<QPushButton>(window, "run_button")->isHidden());
        QCOMPARE(child<QLabel>(window, "command_image_size_label")->text(), "No image");

        child<QPushButton>(window, "command_image_take_button")->click();
        QVERIFY(!window.isVisible());
        QTRY_VERIFY(frozenScreen());
        QTest::keyClick(frozenScreen(), Qt::Key_Escape);
        QTRY_VERIFY(window.isVisible());
        QVERIFY(!frozenScreen());
        QCOMPARE(window.commands()[0][1], QString());

        child<QPushButton>(window, "command_image_take_button")->click();
        QTRY_VERIFY(frozenScreen());
        QWidget* screen = frozenScreen();
        QTest::mousePress(screen, Qt::LeftButton, {}, QPoint(300, 200));
        QTest::mouseMove(screen, QPoint(320, 215));
        QTest::mouseRelease(screen, Qt::LeftButton, {}, QPoint(339, 229));
        QTRY_VERIFY(window.isVisible());
        const std::optional<screenpages::ImageSearch> taken =
            screenpages::readImageSearch(window.commands()[0], nullptr);
        QVERIFY(taken);
        QCOMPARE(taken->image.convertToFormat(QImage::Format_RGB32), picture());
        QCOMPARE(child<QLabel>(window, "command_image_size_label")->text(), "40 × 30");
        QVERIFY(!child<QPushButton>(window, "run_button")->isHidden());

        QCOMPARE(testMessage(child<QPushButton>(window, "image_test_button")),
                 "Found at (300, 200), 40 x 30, similarity 1.00.");
        QCOMPARE(frameBars(), 4);
        QTRY_COMPARE_WITH_TIMEOUT(frameBars(), 0, 3000);
        platform.capture.fill(QRect(300, 200, 40, 30), Qt::white);
        QVERIFY(testMessage(child<QPushButton>(window, "image_test_button"))
                    .startsWith("Not found: the best similarity seen was "));

        undo(window);
        QCOMPARE(window.commands()[0][1], QString());
        QVERIFY(child<QPushButton>(window, "run_button")->isHidden());
    }

    void imageConditionFieldsWriteBack() {
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        fixture::addConditionType(window, imageCondition);
        child<QComboBox>(window, "image_mode_combo")->setCurrentIndex(1);
        child<QLineEdit>(window, "condition_region_edit")->setText("-5,0,400,300");
        child<QDoubleSpinBox>(window, "condition_similarity_spin")->setValue(0.75);
        QCOMPARE(window.conditions()[0],
                 (QStringList{"画像", "", "0.75", "-5,0,400,300", "消える"}));
    }

    void ctrlAltGTakesAColourThatTestMatches() {
        platform.capture.fill(QRect(500, 400, 10, 10), QColor(0x33, 0x66, 0xcc));
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        fixture::addConditionType(window, colorCondition);
        child<QPushButton>(window, "color_get_button")->click();
        platform.backend.setPointer(QPoint(505, 404));
        QVERIFY(pressHotkey());
        QTRY_VERIFY(window.isVisible());
        QCOMPARE(window.conditions()[0], (QStringList{"色", "505", "404", "#3366CC", "0"}));
        QCOMPARE(testMessage(child<QPushButton>(window, "condition_test_button")),
                 "The colour at (505, 404) is #3366CC: it matches #3366CC within 0.");
        platform.capture.fill(QRect(500, 400, 10, 10), QColor(0x33, 0x66, 0xcd));
        QCOMPARE(testMessage(child<QPushButton>(window, "condition_test_button")),
                 "The colour at (505, 404) is #3366CD: it does not match #3366CC within 0.");
        undo(window);
        QCOMPARE(window.conditions()[0], (QStringList{"色", "0", "0", "#000000", "0"}));
    }
};

QTEST_MAIN(TestWindowScreenPages)
#include "tst_window_screenpages.moc"
