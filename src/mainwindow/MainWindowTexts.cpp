// The captions and tool tips of the main window in both languages.

#include "MainWindow.h"

#include "SourceListPane.h"
#include "SourcePane.h"
#include "TargetPane.h"
#include "app/AppContext.h"
#include "app/OptionsMenu.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

struct Text {
    std::function<void(const QString&)> set;
    QString english;
    QString swedish;
};

template <typename T> std::function<void(const QString&)> captionOf(T* control)
{
    if constexpr (std::is_same_v<T, QMenu>)
        return [control](const QString& t) {
            control->setTitle(t);
        };
    else
        return [control](const QString& t) {
            control->setText(t);
        };
}

} // namespace

void MainWindow::setWindowTexts(bool swedish)
{
    // In the order the window sets them. The four panes' tool tips are not here: they can be
    // switched off.
    const QList<Text> texts{
        {captionOf(Menu_File), u"&File"_s, u"&Arkiv"_s},
        {captionOf(Menu_ShowSavedSourceList), u"&Show/Recall a Saved Source List File"_s,
         u"&Visa/Återskapa en Sparad Källfil-lista"_s},
        {captionOf(Menu_SaveCurrentSourceList), u"Save &Current Source List"_s,
         u"&Spara Nuvarande Källfil-lista"_s},
        {captionOf(Menu_PlayOrder), u"Play Order on Target Drive..."_s,
         u"Spelordning på Måldisken..."_s},
        {captionOf(Menu_Exit), u"E&xit"_s, u"&Avsluta"_s},
        {captionOf(Menu_Options), u"&Options"_s, u"&Inställningar"_s},
        {captionOf(Menu_DisableToolTipsOnPanes), u"Disable Tool Tips On Panes"_s,
         u"Inaktivera ToolTips på Folderfönstren"_s},
        {captionOf(Menu_SaveCurrentLocationasDefaultPath),
         u"&Save Current Location as Default Source Path"_s,
         u"Spara &Nuvarande Sökväg som Standard"_s},
        {captionOf(Menu_UseDefaultSourcePath), u"Use &Default Source Path"_s,
         u"&Använd Standard Sökväg för Källdisk"_s},
        {captionOf(Menu_GotoDefaultPath), u"Goto Default Source Location (Go Home)"_s,
         u"Gå till Standard Plats för Källdisk (Gå Hem)"_s},
        {captionOf(Menu_AddFolderPrefix), u"Add &Prefix to Saved Folders"_s,
         u"&Lägg Till Prefix till Sparade Foldrar"_s},
        {captionOf(Menu_UseLogFile), u"Use &Log File"_s, u"Använd &Logfil"_s},
        {captionOf(Menu_Player), u"&Optional Media Player"_s, u"Annan Media-Spelare"_s},
        {captionOf(Menu_Help), u"&Help"_s, u"&Hjälp"_s},
        {captionOf(Menu_MenuHelp), u"Help, &Menues"_s, u"Hjälp, &Menyer"_s},
        {captionOf(Menu_ShortcutsHelp), u"Help, &Keyboard Shortcuts"_s,
         u"Hjälp, &Tangetbordsgenvägar"_s},
        {captionOf(Menu_About), u"&About"_s, u"&Om"_s},
        {captionOf(Menu_OpenPlay), u"View/Play Files"_s, u"Visa / Spela filer"_s},
        {captionOf(Menu_OpenExplorer), u"Open Selected Folder in File Manager"_s,
         u"Öppna vald folder i Filhanteraren"_s},
    };
    for (const Text& t : texts)
        t.set(swedish ? t.swedish : t.english);
}

QString MainWindow::paneToolTip(int pane) const
{
    switch (pane) {
    case 0:
        return m.text(u"Source Disk - Hit Insert to copy selected folder, Right click or Space "
                      u"Bar on a folder to see the files"_s,
                      u"Källdisk - Tryck på Insert för att kopiera markerad folder, Högerklicka "
                      u"eller tryck mellanslag på en folder för att se filerna"_s);
    case 1:
        return m.text(u"Source List - Right click or Space Bar on a folder to see the files, "
                      u"Click & Drag to change positions"_s,
                      u"Käll-lista - Högerklicka eller tryck Mellanslag på en folder för att se "
                      u"filerna"_s);
    case 2:
        return m.text(u"Target Disk -  Right click or Space Bar on a folder to see the files"_s,
                      u"Måldisk - Högerklicka eller tryck Mellanslag på en folder för att se "
                      u"filerna"_s);
    default:
        return m.text(u"Target List - Right click or Space Bar on a folder to see the files"_s,
                      u"Mål-lista - Högerklicka eller tryck Mellanslag på en folder för att se "
                      u"filerna"_s);
    }
}

void MainWindow::setPaneToolTips()
{
    m_source->setPaneToolTip(m_options->toolTipsOff() ? QString() : paneToolTip(0));
    m_list->setPaneToolTip(m_options->toolTipsOff() ? QString() : paneToolTip(1));
    m_target->setPaneToolTips(m_options->toolTipsOff() ? QString() : paneToolTip(2),
                              m_options->toolTipsOff() ? QString() : paneToolTip(3));
}

void MainWindow::setEnglishTexts()
{
    setWindowTexts(false);
    m_source->setTexts(false);
    m_list->setTexts(false);
    m_target->setTexts(false);
    Menu_English->setText(u"&English"_s);
    Menu_Swedish->setText(u"S&venska"_s);
    setPaneToolTips();
}

void MainWindow::setSwedishTexts()
{
    setWindowTexts(true);
    m_source->setTexts(true);
    m_list->setTexts(true);
    m_target->setTexts(true);
    Menu_English->setChecked(false);
    Menu_Swedish->setChecked(true);
    setPaneToolTips();
}
