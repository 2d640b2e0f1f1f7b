#pragma once

#include <QRect>
#include <QWidget>

class QLabel;
class QTimer;

// The small always-on-top hint shown while something on the screen (a
// coordinate, a window's title, a colour) is picked with Ctrl+Alt+G. It sits in the bottom-right
// corner of the screen under the pointer, hides while the pointer comes near it and comes back at
// the same place once the pointer has moved away. Escape closes it, which ends the capture without
// taking a position.
class HoverHideWindow : public QWidget {
    Q_OBJECT

public:
    // What Ctrl+Alt+G takes, as the hint names it.
    enum class Subject { Coordinates, WindowTitle, Color };

    HoverHideWindow(int hideDistance, int screenMargin, QWidget* parent, bool isJapanese);

    void setJapanese(bool japanese);
    void setSubject(Subject subject);

public slots:
    void checkCursor();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void updateText();
    void placeInCorner();
    QRect keptInsideScreen(const QRect& rect) const;

    QTimer* checkTimer = nullptr;
    QLabel* hintLabel = nullptr;
    int hideDistance = 0;
    int screenMargin = 0;
    QRect lastGeometry;
    bool hiddenByCursor = false;
    bool isJapanese = true;
    Subject subject = Subject::Coordinates;
};
