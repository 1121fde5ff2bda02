// The question asked before a folder goes into the Source List a second time.

#include "AppContext.h"
#include "mainwindow/MainForm.h"

#include <QListWidget>

using namespace Qt::StringLiterals;

bool MainForm::CheckDuplicateFolder(const QString& path)
{
    if (SourceList->findItems(path, Qt::MatchExactly | Qt::MatchCaseSensitive).isEmpty())
        return true;
    const auto answer = m.message(
        m.text(u"Duplicate folder"_s, u"Existerande folder"_s),
        m.text(u"The folder  "_s + path + u"  already exists.\n\nDo you want to copy it anyway ?"_s,
               u"Folder  "_s + path + u"  finns redan.\n\nVill du kopiera den ändå ?"_s),
        Platform::Buttons::YesNo, Platform::Icon::Question);
    return answer == Platform::Answer::Yes;
}
