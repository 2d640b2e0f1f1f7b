#pragma once

#include <QMainWindow>

// The main window: the start page and the project editor.
class kestrun : public QMainWindow {
    Q_OBJECT

public:
    explicit kestrun(QWidget* parent = nullptr);
};
