#include "view.h"

View::View(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("View"));
    setWindowTitle(QStringLiteral("Ворн \"New\""));
    resize(8880 / 15, 7725 / 15);
}
