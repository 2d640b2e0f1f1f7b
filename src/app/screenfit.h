#pragma once

#include <QObject>
#include <QSize>

class QMainWindow;
class QScrollArea;
class QWidget;

// Keeps a window of fixed size on screens whose available area is smaller
// than the window (a small screen at a large scale): there the window shrinks
// to the area and its content scrolls inside it, under the menu bar, which
// stays in place. Where the window fits, it is left exactly as it was built.
class ScreenFit : public QObject {
public:
    // `window` holds its widgets at fixed places in an area of `size`, which
    // its menu bar covers at the top. Fits it to its screen at once and puts
    // it in the middle of the screen's available area, where it will be
    // shown, so a box shown before it can be centred over it.
    ScreenFit(QMainWindow* window, QSize size);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The room the window may take inside its frame on its screen.
    QRect room() const;
    // Shrinks the window where it does not fit; `keepInside` also moves it
    // back into the available area.
    void fit(bool keepInside);
    void startScrolling();
    // The content's top, under the menu bar, is where the scrolling starts.
    void placeContent();

    QMainWindow* window;
    QSize size;
    // Kept, as the window hides it while it is destroyed.
    QWidget* menuBar = nullptr;
    QScrollArea* area = nullptr;
    QWidget* holder = nullptr;
    QWidget* content = nullptr;
    bool watchingScreens = false;
};
