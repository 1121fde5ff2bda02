#include "app/AppContext.h"
#include "mainwindow/MainForm.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ordrane"));
    AppContext m;
    MainForm w(m);
    w.show();
    return QApplication::exec();
}
