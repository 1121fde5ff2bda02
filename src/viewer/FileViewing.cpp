// The main window's part in viewing and playing files: the viewer and the choice of player.

#include "FileViewerDialog.h"
#include "PlayerDialog.h"
#include "mainwindow/MainForm.h"

#include <QAction>
#include <QCoreApplication>

#include <memory>

void MainForm::connectPlayerMenu()
{
    connectOption(Menu_Player, &MainForm::Menu_Player_Click);
}

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

void MainForm::Menu_Player_Click()
{
    auto form = std::make_unique<PlayerDialog>(m, *Menu_Player, this);
    form->exec();
    form.reset();
    QCoreApplication::processEvents();
}
