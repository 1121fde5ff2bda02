// The copy button: the program's main job.

#include "CopyRun.h"
#include "mainwindow/MainForm.h"

void MainForm::CopyFolders_Click()
{
    CopyRun(*this, m).run();
}
