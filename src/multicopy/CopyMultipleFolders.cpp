// Opening the multi-folder selection window from the main window.

#include "MultiFolderDialog.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/SourcePane.h"

#include <QCoreApplication>

#include <memory>

void MainForm::CopyMultipleFolders_Click()
{
    // A new window for each opening: it lists the folder open at this moment.
    auto window = std::make_unique<MultiFolderDialog>(m, *this);
    window->exec();
    window.reset();
    QCoreApplication::processEvents();
    sourcePane().focusFolders();
}
