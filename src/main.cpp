#include "app/AppContext.h"
#include "mainwindow/MainWindow.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ordrane"));
    AppContext m;
    MainWindow w(m);
    w.show();
    return QApplication::exec();
}
