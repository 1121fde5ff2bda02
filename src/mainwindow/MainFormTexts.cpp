// The captions and tool tips of the main window in both languages.

#include "MainForm.h"

#include "SourceListPane.h"
#include "SourcePane.h"
#include "app/AppContext.h"
#include "app/OptionsMenu.h"
#include "platform/DirListBox.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
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

std::function<void(const QString&)> toolTipOf(QWidget* control)
{
    return [control](const QString& t) {
        control->setToolTip(t);
    };
}

} // namespace

void MainForm::setWindowTexts(bool swedish)
{
    // In the order the window sets them. The four panes' tool tips are not here: they can be
    // switched off.
    const QList<Text> texts{
        {captionOf(Menu_File), u"&File"_s, u"&Arkiv"_s},
        {captionOf(Menu_ShowSavedSourceList), u"&Show/Recall a Saved Source List File"_s,
         u"&Visa/Återskapa en Sparad Källfil-lista"_s},
        {captionOf(Menu_SaveCurrentSourceList), u"Save &Current Source List"_s,
         u"&Spara Nuvarande Källfil-lista"_s},
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
        {captionOf(Label_TargetFreeSpace), u"Estimated free space on Target drive:"_s,
         u"Uppskattat ledigt utrymme på Måldisk:"_s},
        {captionOf(Label_NumberOfFiles[0]),
         u"Number of mp3 files in selected path on Target drive:"_s,
         u"Antal mp3 filer i vald sökväg på Måldisk:"_s},
        {captionOf(Label_NumberOfFiles[1]), u"Click Refresh"_s, u"Klicka Uppdatera"_s},
        {captionOf(RefreshTargetDrives), u"Refresh Drives"_s, u"Uppdatera Diskar"_s},
        {captionOf(RefreshTargetLists), u"Refresh"_s, u"Uppdatera"_s},
        {captionOf(ClearTargetFolders), u"Clear  Open Folder"_s, u"Radera Vald"_s},
        {captionOf(ClearTargetDrive), u"Clear Disk"_s, u" Radera   Allt"_s},
        {toolTipOf(ClearTargetFolders),
         u"Delete all subfolders from the selected path of the Target drive"_s,
         u"Radera alla foldrar från visad sökväg på Måldisken"_s},
        {toolTipOf(ClearTargetDrive), u"Delete all folders from the Target drive"_s,
         u"Radera hela Måldisken"_s},
        {toolTipOf(Label_NumberOfFiles[0]),
         u"Files are counted in the selected folder and two levels of sub folders."_s,
         u"Filer räknas i vald folder och två nivåer av underfoldrar"_s},
        {toolTipOf(RefreshTargetDrives), u"RefreshTarget Drive List"_s,
         u"Uppdatera Måldisk-listan"_s},
        {toolTipOf(RefreshTargetLists),
         u"Refresh the file count of the displayed path of the Target drive"_s,
         u"Uppdatera filräkning i visad sökväg på Måldisken"_s},
        {toolTipOf(RemoveTargetFolder), u"Delete the selected folder from the Target drive"_s,
         u"Radera den valda foldern från Måldisken"_s},
        {toolTipOf(TargetUpOneLevel), u"Up one level"_s, u"Upp en nivå"_s},
    };
    for (const Text& t : texts)
        t.set(swedish ? t.swedish : t.english);
}

QString MainForm::paneToolTip(int pane) const
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

void MainForm::setPaneToolTips()
{
    m_source->setPaneToolTip(m_options->toolTipsOff() ? QString() : paneToolTip(0));
    m_list->setPaneToolTip(m_options->toolTipsOff() ? QString() : paneToolTip(1));
    const std::array<QListWidget*, 2> panes = targetPanes();
    for (std::size_t i = 0; i < panes.size(); ++i)
        panes[i]->setToolTip(m_options->toolTipsOff() ? QString() : paneToolTip(int(i) + 2));
}

void MainForm::setEnglishTexts()
{
    setWindowTexts(false);
    m_source->setTexts(false);
    m_list->setTexts(false);
    Menu_English->setText(u"&English"_s);
    Menu_Swedish->setText(u"S&venska"_s);
    Label_NumberOfFiles[1]->setToolTip(u"Number of files. Only one level of subfolder counted."_s);
    setPaneToolTips();
}

void MainForm::setSwedishTexts()
{
    setWindowTexts(true);
    m_source->setTexts(true);
    m_list->setTexts(true);
    Menu_English->setChecked(false);
    Menu_Swedish->setChecked(true);
    setPaneToolTips();
}
