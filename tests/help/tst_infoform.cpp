#include "support/MainFormFixture.h"

#include "help/InfoForm.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

// The rows of a help window, each with the explanation it shows; blank and group rows show none.
using Help = QList<std::pair<QString, QString>>;

// Triggers the menu item and, once its window is up, checks it and acts on it; the window is
// closed afterwards if the action left it open.
void whileShown(QAction* item, const std::function<void(InfoForm&)>& act)
{
    bool shown = false;
    QTimer::singleShot(0, item, [&shown, &act] {
        auto* form = qobject_cast<InfoForm*>(QApplication::activeModalWidget());
        QVERIFY(form);
        shown = true;
        act(*form);
        if (form->isVisible())
            form->close();
    });
    item->trigger();
    QVERIFY(shown);
}

const QString menuInstruction = u"Click an item in the list above !"_s;

} // namespace

Q_DECLARE_METATYPE(Help)

class TestInfoForm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }

    void helpSets_data();
    void helpSets();
    void clickKeysAndClose();
};

void TestInfoForm::helpSets_data()
{
    QTest::addColumn<bool>("onMenus");
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("instruction");
    QTest::addColumn<Help>("help"); // "<data>" stands for the data folder

    QTest::newRow("menus, English")
        << true << false << u"Help, Menues"_s << u"Close"_s << menuInstruction
        << Help{
               {u"Explanation of Menues"_s, menuInstruction},
               {QString(), QString()},
               {u"File | Show/Recall a Saved Source List File"_s,
                u"Opens a file list to view and recall the content of a saved Source List file."_s},
               {u"File | Save Current Source List"_s,
                u"Saves the current Source List to a file of choice."_s},
               {u"File | Exit"_s, u"Quits this program."_s},
               {QString(), QString()},
               {u"Options | English"_s, u"Selects English language."_s},
               {u"Options | Svenska"_s, u"Selects Swedish language."_s},
               {u"Disable Tool Tips on panes"_s,
                u"If ticked no Tool Tips will be shown on Folder Panes."_s},
               {u"Options | Use Default Source Path"_s,
                u"If ticked a predefined folder will be used as default folder when the program is "
                u"started. If not ticked the program will start with the last used folder."_s},
               {u"Options | Save Current Location as Default Path"_s,
                u"Saves the current Source Path as default if Use Default Source Path is "
                u"ticked."_s},
               {u"Options | Goto Default Source Loacation (Go Home)"_s,
                u"Opens the Default Location on the Source Disk if Use Default Source Path is "
                u"ticked."_s},
               {u"Options | Add Prefix to Saved Folders"_s,
                u"If ticked a numeric prefix will be added to the target folder so the folders "
                u"will be displayed in the correct order in a file list of the File Manager."_s},
               {u"Options | Use Log File"_s,
                u"If ticked a log file will be saved after each copy sequence. The file name is "
                u"the current date plus a prefix with extension odr. The file is located in the "
                u"data folder of this program (<data>)."_s},
               {u"Options | Optional Media Player"_s,
                u"If ticked another selected mp3 player will be used instead of System Media "
                u"Player."_s},
               {QString(), QString()},
               {u"Help | Help, Menues"_s, u"This Help Window"_s},
               {u"Help | Help, Shortcuts"_s, u"Help Window for Keyboard Shortcuts."_s},
               {u"Help | About"_s, u"About this program and System Info."_s}};
    QTest::newRow("menus, Swedish")
        << true << true << u"Hjälp, Menyer"_s << u"Stäng"_s << u"Klicka på en rad i listan ovan !"_s
        << Help{
               {u"Förklaring av Menyer"_s, u"Klicka på en rad i listan ovan !"_s},
               {QString(), QString()},
               {u"Arkiv | Visa/Återskapa en Sparad Källfil-lista"_s,
                u"Öppnar en fil-lista för visa innehållet i en sparad Käll-listfil."_s},
               {u"Arkiv | Spara Nuvarande Källfil-lista"_s,
                u"Sparar den nuvarande Käll-listan till en valfri fil."_s},
               {u"Arkiv | Avsluta"_s, u"Avslutar programmet."_s},
               {QString(), QString()},
               {u"Inställningar | English"_s, u"Väljer engelska som språk."_s},
               {u"Inställningar | Svenska"_s, u"Väljer svenska som språk."_s},
               {u"Inställningar | Inaktivera ToolTips på Folderfönstren"_s,
                u"Om markerad ges inga Tool Tips på Folderfönstren"_s},
               {u"Inställningar | Använd Standard Sökväg för Källdisk"_s,
                u"Om markerad startar programmet alltid med samma folder på Källdisken öppen. Om "
                u"ej markerad startar programmet med senast använda folder."_s},
               {u"Inställningar | Spara Nuvarande Sökväg som Standard."_s,
                u"Sparar den nuvarande foldern som startfolder."_s},
               {u"Inställningar | Gå till Standard Plats för Källdisk (Gå Hem)"_s,
                u"Öppnar Startfoldern på Källdisken om  Använd Standard Sökväg  är markerad."_s},
               {u"Inställningar | Lägg Till Prefix till Sparade Foldrar"_s,
                u"Om markerad kommer ett numeriskt prefix att läggas till målfoldern så att "
                u"foldrarna visas i rätt ordning i ett en fil-lista i Filhanteraren."_s},
               {u"Inställningar | Använd Logfil"_s,
                u"Om markerad kommer en logfil att sparas efter varje kopieringssekvens. Filnamnet "
                u"är dagens datum plus ett prefix med filändelse odr. Filen sparas i detta "
                u"programs datafolder (<data>)."_s},
               {u"Inställningar | Annan Media-Spelare"_s,
                u"Om markerad kommer en annan vald mp3 spelare att användas istället för Systemets "
                u"mediaspelare."_s},
               {QString(), QString()},
               {u"Hjälp | Hjälp, Menyer"_s, u"Detta Hjälpfönster."_s},
               {u"Hjälp | Hjälp, Tangentbordsgenvägar"_s,
                u"Hjälpfönster för Tangentbordsgenvägar."_s},
               {u"Hjälp | Om"_s, u"Om programmet och System Info."_s}};
    QTest::newRow("shortcuts, English")
        << false << false << u"Help, Keyboard shortcuts"_s << u"Close"_s << menuInstruction
        << Help{{u"Explanation of Keyboard shortcuts"_s, menuInstruction},
                {QString(), QString()},
                {u"Source Disk  (Upper Left)"_s, QString()},
                {u"  <Enter>"_s, u"Open the selected folder."_s},
                {u"  <Left Arrow>"_s, u"Up one level."_s},
                {u"  <Right Arrow>"_s, u"Open the selected folder."_s},
                {u"  <Space> or Mouse Right Click"_s,
                 u"Show the mp3 files of the selected folder."_s},
                {u"  <Insert> or <Ctrl>+<Insert>"_s,
                 u"<Insert>: Copy the selected folder to the Source List.\n<Ctrl>+<Insert>: Open "
                 u"Multi Copy window."_s},
                {QString(), QString()},
                {u"Source List and Target List  (Upper and Lower Right)"_s, QString()},
                {u"  <Space> or Mouse Right Click"_s,
                 u"Show the mp3 files of the selected folder."_s},
                {u"  <Delete>"_s,
                 u"Delete the selected folder:\nOn the Source List (Upper Right) the folder is "
                 u"deleted from the list.\nOn the Target List (Lower Right) the folder is "
                 u"deleted from the disk."_s}};
    QTest::newRow("shortcuts, Swedish")
        << false << true << u"Hjälp, Tangetbords genvägar"_s << u"Stäng"_s
        << u"Klicka på en rad i listan ovan !"_s
        << Help{{u"Förklaring av tangentbordsgenvägar"_s, u"Klicka på en rad i listan ovan !"_s},
                {QString(), QString()},
                {u"Källdisk   (Överst till vänster)"_s, QString()},
                {u"  <Enter>"_s, u"Öppna vald folder."_s},
                {u"  <Vänster Pil>"_s, u"Upp en nivå."_s},
                {u"  <Höger Pil>"_s, u"Öppna vald folder."_s},
                {u"  <Mellanslag> eller Mus högerklick"_s, u"Visa mp3-filerna i vald folder."_s},
                {u"  <Insert> eller <Ctrl>+<Insert>"_s,
                 u"<Insert>: Kopiera vald folder till Käll-listan.\n<Ctrl>+<Insert>: Öppna Kopiera "
                 u"Flera-fönstret."_s},
                {QString(), QString()},
                {u"Käll-lista och Mål-lista  (Överst och underst till höger)"_s, QString()},
                {u"  <Mellanslag> eller Mus högerklick"_s, u"Visa mp3-filerna i vald folder."_s},
                {u"  <Delete>"_s,
                 u"Radera vald folder:\nPå Käll-listan (överst till höger) raderas foldern från "
                 u"listan.\nPå Mål-listan (underst till höger) raderas foldern från disken."_s}};
}

// Each row shows its explanation, row 0 the instruction in bold, the others in the normal font.
void TestInfoForm::helpSets()
{
    QFETCH(bool, onMenus);
    QFETCH(bool, swedish);
    QFETCH(QString, caption);
    QFETCH(QString, button);
    QFETCH(QString, instruction);
    QFETCH(Help, help);

    MainFormFixture f;
    f.store(u"Swedish"_s, swedish ? u"1"_s : u"0"_s);
    MainForm& w = f.start();
    whileShown(onMenus ? w.Menu_MenuHelp : w.Menu_ShortcutsHelp, [&](InfoForm& form) {
        QCOMPARE(form.objectName(), u"InfoForm"_s);
        QCOMPARE(form.windowTitle(), caption);
        QCOMPARE(form.Button_OK->text(), button);
        QCOMPARE(form.List1->count(), help.size());
        QVERIFY(form.List1->selectedItems().isEmpty());
        QCOMPARE(form.Label1->text(), instruction);
        QVERIFY(form.Label1->font().bold());

        for (int row = int(help.size()) - 1; row >= 0; --row) {
            QCOMPARE(form.List1->item(row)->text(), help[row].first);
            form.List1->setCurrentRow(row);
            QCOMPARE(form.Label1->text(),
                     QString(help[row].second).replace(u"<data>"_s, w.DataFolder));
            QCOMPARE(form.Label1->font().bold(), row == 0);
        }
    });
    QCOMPARE(f.m->HelpOnMenus, onMenus);
}

// The shortcut help opened after the menu help, read with the mouse and the arrow keys; each
// window closes by Esc in the list, Esc on the button or the button.
void TestInfoForm::clickKeysAndClose()
{
    MainFormFixture f;
    MainForm& w = f.start();
    whileShown(w.Menu_MenuHelp, [](InfoForm& form) {
        QCOMPARE(form.List1->count(), 19);
        QTest::keyClick(form.List1, Qt::Key_Escape);
        QVERIFY(!form.isVisible());
    });
    whileShown(w.Menu_ShortcutsHelp, [](InfoForm& form) {
        QCOMPARE(form.windowTitle(), u"Help, Keyboard shortcuts"_s);
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::mouseClick(form.List1->viewport(), Qt::LeftButton, {},
                          form.List1->visualItemRect(form.List1->item(4)).center());
        QCOMPARE(form.Label1->text(), u"Up one level."_s);
        QTest::keyClick(form.List1, Qt::Key_Down);
        QCOMPARE(form.List1->currentRow(), 5);
        QCOMPARE(form.Label1->text(), u"Open the selected folder."_s);
        QTest::keyClick(form.List1, Qt::Key_Up);
        QTest::keyClick(form.List1, Qt::Key_Up);
        QCOMPARE(form.Label1->text(), u"Open the selected folder."_s);
        QTest::keyClick(form.List1, Qt::Key_Up);
        QCOMPARE(form.Label1->text(), QString());
        QTest::keyClick(form.Button_OK, Qt::Key_Escape);
        QVERIFY(!form.isVisible());
    });
    whileShown(w.Menu_MenuHelp, [](InfoForm& form) {
        QTest::mouseClick(form.Button_OK, Qt::LeftButton);
        QVERIFY(!form.isVisible());
    });
    QVERIFY(w.findChildren<InfoForm*>().isEmpty());
}

QTEST_MAIN(TestInfoForm)
#include "tst_infoform.moc"
