// The File menu's saved lists: choosing a saved Source List or copy log, viewing it, deleting or
// renaming it, and recalling its folders into the Source List.

#include "SavedLists.h"

#include "SavedListRules.h"
#include "SavedListsDialog.h"
#include "SourceListFile.h"
#include "app/AppContext.h"
#include "mainwindow/SourceListPane.h"
#include "mainwindow/SourcePane.h"
#include "platform/FsError.h"
#include "platform/Paths.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

bool fileExists(const QString& file)
{
    const QFileInfo info(file);
    return info.exists() || info.isSymLink();
}

// What one choosing of a file needs: the dialog's title and the last name typed for a rename,
// which the message of an unexpected failure names.
class SavedListChoice {
public:
    SavedListChoice(AppContext& m, QString dataFolder, QString title)
        : m(m)
        , m_dataFolder(std::move(dataFolder))
        , m_title(std::move(title))
    {
    }

    void deleteFile(const QString& file)
    {
        const QString fileTitle = paths::folderName(file);
        const auto answer = m.message(
            m.text(u"Delete File"_s, u"Radera fil"_s),
            m.text(u"Are you sure you want to delete the file:  "_s + fileTitle +
                       u"  from the disk ?"_s,
                   u"Är säker på att radera filen:  "_s + fileTitle + u"  från disken ?"_s),
            Platform::Buttons::YesNo, Platform::Icon::Question);
        if (answer == Platform::Answer::Yes && !QFile::remove(file))
            unknownError();
    }

    void renameFile(const QString& file)
    {
        const QString fileTitle = paths::folderName(file);
        const std::optional<QString> typed = m.platform().inputBox(
            m_title,
            m.text(u"Rename:  "_s + fileTitle + u"\n\nEnter new name (without extension):"_s,
                   u"Döp om:  "_s + fileTitle + u"\n\nSkriv nytt namn (utan extension):"_s),
            QString());
        if (!typed || typed->isEmpty())
            return;
        m_lastAnswer = savedlists::withExtension(*typed);
        if (!savedlists::isValidFileName(m_lastAnswer)) {
            m.message(u"ERROR"_s,
                      m.text(u"Invalid file name:  "_s + m_lastAnswer + u"\nNothing saved."_s,
                             u"Ogiltigt filnamn:  "_s + m_lastAnswer + u"\nIngenting sparat."_s),
                      Platform::Buttons::Ok, Platform::Icon::None);
            return;
        }
        const QString target = paths::join(m_dataFolder, m_lastAnswer);
        if (fileExists(target)) {
            // Its own name again: replacing the file by itself would delete it.
            if (QFileInfo(target).canonicalFilePath() == QFileInfo(file).canonicalFilePath())
                return;
            const auto answer =
                m.message(u"ERROR"_s,
                          m.text(u"The file:  "_s + m_lastAnswer +
                                     u"  already exists.\nDo you want to overwrite it ?"_s,
                                 u"Filen:  "_s + m_lastAnswer +
                                     u"  finns redan.\nVill du skriva över den ?"_s),
                          Platform::Buttons::YesNo, Platform::Icon::Question);
            if (answer != Platform::Answer::Yes)
                return;
            if (!QFile::remove(target)) {
                unknownError();
                return;
            }
        }
        if (!QFile::rename(file, target))
            unknownError();
    }

private:
    void unknownError()
    {
        m.message(u"ERROR"_s,
                  m.text(u"Unknown error with:  "_s + m_lastAnswer + u"\nNothing saved."_s,
                         u"Okänt fel med:  "_s + m_lastAnswer + u"\nIngenting sparat."_s),
                  Platform::Buttons::Ok, Platform::Icon::None);
    }

    AppContext& m;
    QString m_dataFolder;
    QString m_title;
    QString m_lastAnswer;
};

} // namespace

void SavedLists::showSaved()
{
    Platform::FileDialog dialog;
    dialog.title = m.text(u"Saved Source File List"_s, u"Sparad Källfil-lista"_s);
    dialog.folder = m.dataFolder;
    dialog.filter = u"OrdraneFiles (*.odr)"_s;
    dialog.confirmOverwrite = false;
    SavedListChoice choice(m, m.dataFolder, dialog.title);

    // The open dialog comes back after a delete, a rename or a Close in the viewer.
    QString file;
    while (file.isEmpty()) {
        const std::optional<QString> chosen = m.platform().openFileName(dialog);
        if (!chosen)
            return;
        m.savedListPath = *chosen;
        auto viewer = std::make_unique<SavedListsDialog>(m, &m_mainWindow);
        if (viewer->loaded())
            viewer->exec();
        viewer.reset();
        QCoreApplication::processEvents();

        if (m.savedListPath.startsWith(u'>')) {
            choice.deleteFile(m.savedListPath.mid(1));
            m.savedListPath.clear();
        } else if (m.savedListPath.startsWith(u'<')) {
            choice.renameFile(m.savedListPath.mid(1));
            m.savedListPath.clear();
        }
        file = m.savedListPath;
    }
    recall(file);
}

void SavedLists::recall(const QString& file)
{
    // Read before the Source List may be cleared, so that a file that cannot be read costs
    // nothing.
    QStringList entries;
    try {
        entries = sourcelistfile::readEntries(file);
    } catch (const FsError& error) {
        m.message(u"ERROR"_s,
                  m.text(u"Could not read the file:  "_s, u"Kunde inte läsa filen:  "_s) + file +
                      u'\n' + error.reason(m.swedish),
                  Platform::Buttons::Ok, Platform::Icon::Exclamation);
        m.savedListPath.clear();
        return;
    }
    m.savedListPath.clear();

    if (m_list.count() > 0) {
        const auto answer = m.message(
            m.text(u"Recall a saved Source List"_s, u"Hämta en sparad Källfil-lista"_s),
            m.text(u"The current Source List is not empty.\n\nSelect Yes to clear the current "
                   u"Source List and Recall the saved list.\n\nSelect No to Recall the saved "
                   u"list and add it to the current Source List. "_s,
                   u"Den nuvarande Källfil-listan är inte tom.\n\nVälj Ja för att radera den "
                   u"nuvarande Källfil-listan och hämta den sparade listan.\n\nVälj Nej för att "
                   u"hämta den sparade listan och lägg till den till den nuvarande "
                   u"Källfil-listan. "_s),
            Platform::Buttons::YesNoCancel, Platform::Icon::Question);
        if (answer == Platform::Answer::Cancel)
            return;
        if (answer == Platform::Answer::Yes) {
            // The user has just answered for the clearing.
            m_list.clear();
            m_source.focusFolders();
        }
    }

    int recalled = 0;
    int empty = 0;
    int notFound = 0;
    for (const QString& line : std::as_const(entries)) {
        // Only a full path names a folder; anything else is not looked up.
        if (!line.startsWith(u'/')) {
            ++notFound;
            continue;
        }
        try {
            const qint64 size = m.fileSystem.folderSize(line);
            if (size == 0) {
                ++empty;
                continue;
            }
            ++recalled;
            if (m_list.checkDuplicate(line))
                m_list.addMeasured(line, size);
        } catch (const FsError&) {
            ++notFound;
        }
    }
    // The labels, the buttons and the save item follow the list; the copy button the free space.
    if (m_list.count() > 0)
        m_list.showTotal();

    if (empty > 0 || notFound > 0) {
        const savedlists::Message summary =
            savedlists::recallSummary(recalled, empty, notFound, m.swedish);
        m.message(summary.title, summary.text, Platform::Buttons::Ok, Platform::Icon::Information);
    }
    if (m_list.count() == 0)
        m_saveItem.setEnabled(false);
}
