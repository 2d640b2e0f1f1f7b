#pragma once

#include <QIcon>

// The picture of the tray icons that stand for a run or a recording; a stock
// icon without the shipped file, so the icon stays visible and clickable.
QIcon trayImage();
