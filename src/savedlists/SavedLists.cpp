// Saving the current Source List to a file of the user's choice. Choosing, viewing and
// recalling a saved list is in RecallSourceList.cpp.

#include "SavedLists.h"

#include "SavedListRules.h"
#include "SourceListFile.h"
#include "app/AppContext.h"
#include "mainwindow/SourceListPane.h"
#include "platform/FsError.h"
#include "platform/Paths.h"

#include <QAction>
#include <QDate>
#include <QFileInfo>
#include <QWidget>

using namespace Qt::StringLiterals;

SavedLists::SavedLists(AppContext& app, SourcePane& source, SourceListPane& list,
                       QWidget& mainWindow, QAction& showItem, QAction& saveItem)
    : QObject(&mainWindow)
    , m(app)
    , m_source(source)
    , m_list(list)
    , m_mainWindow(mainWindow)
    , m_saveItem(saveItem)
{
    connect(&showItem, &QAction::triggered, this, &SavedLists::showSaved);
    connect(&saveItem, &QAction::triggered, this, &SavedLists::save);
    connect(&list, &SourceListPane::savingPossible, &saveItem, &QAction::setEnabled);
}

void SavedLists::save()
{
    Platform::FileDialog dialog;
    dialog.title = m.text(u"Save Source List"_s, u"Spara Käll-lista"_s);
    dialog.folder = m.dataFolder;
    dialog.fileName =
        paths::folderName(sourcelistfile::defaultName(m.dataFolder, QDate::currentDate()));
    dialog.filter = u"OrdraneFiles (*.odr)"_s;
    dialog.confirmOverwrite = true;
    const std::optional<QString> chosen = m.platform().saveFileName(dialog);
    if (!chosen)
        return;

    // A name typed without an extension gets the list extension; the dialog asked about the name
    // as typed, so replacing a list of the completed name is asked here.
    QString file = *chosen;
    if (QFileInfo(file).suffix().isEmpty()) {
        file += u".odr"_s;
        const QFileInfo completed(file);
        if (completed.exists() || completed.isSymLink()) {
            const QString name = completed.fileName();
            const auto answer = m.message(
                dialog.title,
                m.text(u"The file:  "_s + name +
                           u"  already exists.\nDo you want to overwrite it ?"_s,
                       u"Filen:  "_s + name + u"  finns redan.\nVill du skriva över den ?"_s),
                Platform::Buttons::YesNo, Platform::Icon::Question);
            if (answer != Platform::Answer::Yes)
                return;
        }
    }

    auto saveFailed = [&](const QString& reason) {
        m.message(u"ERROR"_s,
                  m.text(u"Could not save the Source List:  "_s + file + u'\n' + reason +
                             u"\nNothing saved."_s,
                         u"Kunde inte spara Käll-listan:  "_s + file + u'\n' + reason +
                             u"\nIngenting sparat."_s),
                  Platform::Buttons::Ok, Platform::Icon::Exclamation);
    };

    // Counted before the file is created: a listed folder that is gone stops the save.
    QStringList entries;
    qint64 count = 0;
    try {
        for (const QString& folder : m_list.folders()) {
            entries.append(folder);
            count += savedlists::countMp3TwoLevels(folder);
        }
    } catch (const FsError& error) {
        if (error.kind() == FsErrorKind::PathNotFound)
            saveFailed(m.text(u"The folder  "_s + error.path() + u"  does not exist."_s,
                              u"Foldern  "_s + error.path() + u"  finns inte."_s));
        else
            saveFailed(m.text(u"The folder  "_s + error.path() + u"  cannot be read: "_s,
                              u"Foldern  "_s + error.path() + u"  kan inte läsas: "_s) +
                       error.reason(m.swedish));
        return;
    }
    try {
        sourcelistfile::write(file, entries, QString::number(count), m_list.totalText());
    } catch (const FsError& error) {
        saveFailed(error.reason(m.swedish));
    }
}
