#pragma once

#include <QRect>
#include <QWidget>

class QLabel;
class QTimer;

// The small always-on-top hint shown while a screen coordinate is picked with
// Ctrl+Alt+G. It sits in the bottom-right corner of the screen under the
// pointer, hides while the pointer comes near it and comes back at the same
// place once the pointer has moved away.
class HoverHideWindow : public QWidget {
    Q_OBJECT

public:
    HoverHideWindow(int hideDistance, int screenMargin, QWidget* parent, bool isJapanese);

    void setJapanese(bool japanese);

public slots:
    void checkCursor();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void updateText();
    void placeInCorner();
    QRect keptInsideScreen(const QRect& rect) const;
    // The pointer in the units of the window and screen geometry.
    static QPoint pointerPosition();

    QTimer* checkTimer = nullptr;
    QLabel* hintLabel = nullptr;
    int hideDistance = 0;
    int screenMargin = 0;
    QRect lastGeometry;
    bool hiddenByCursor = false;
    bool isJapanese = true;
};
