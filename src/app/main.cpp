#include "view.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessavorn"));
    View view;
    view.show();
    return app.exec();
}
