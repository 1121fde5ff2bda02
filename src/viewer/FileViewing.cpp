// The main window's part in viewing files: the viewer over the active pane.

#include "FileViewerDialog.h"
#include "mainwindow/MainForm.h"

#include <QCoreApplication>

#include <memory>

void MainForm::ShowFileViewer()
{
    auto viewer = std::make_unique<FileViewerDialog>(m, *this);
    // A folder that cannot be shown has been reported; the viewer closes before it shows.
    if (!viewer->Form_Load())
        return;
    viewer->exec();
    viewer.reset();
    QCoreApplication::processEvents();
}
