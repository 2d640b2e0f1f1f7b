#include "kestrun.h"

kestrun::kestrun(QWidget* parent) : QMainWindow(parent) {
    setFixedSize(630, 585);
    setWindowTitle("Kestrun Free");
}
