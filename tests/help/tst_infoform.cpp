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

using namespace Qt::StringLiterals;

namespace {

QStringList rowsOf(const QListWidget* list)
{
    QStringList rows;
    for (int i = 0; i < list->count(); ++i)
        rows.append(list->item(i)->text());
    return rows;
}

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

class TestInfoForm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }

    void helpSets_data();
    void helpSets();
    void blankAndGroupRowsEmptyTheLabel_data();
    void blankAndGroupRowsEmptyTheLabel();
    void onlyRowZeroInBold();
    void clickAndKeysShowExplanations();
    void shortcutHelpAfterMenuHelp();
    void waysToClose_data();
    void waysToClose();
};

void TestInfoForm::helpSets_data()
{
    QTest::addColumn<bool>("onMenus");
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("instruction");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("explanations"); // "" for none; row 0 shows the instruction

    const QString data = u"<data>"_s;
    QTest::newRow("menus, English")
        << true << false << u"Help, Menues"_s << u"Close"_s << menuInstruction
        << QStringList{u"Explanation of Menues"_s,
                       u""_s,
                       u"File | Show/Recall a Saved Source List File"_s,
                       u"File | Save Current Source List"_s,
                       u"File | Exit"_s,
                       u""_s,
                       u"Options | English"_s,
                       u"Options | Svenska"_s,
                       u"Disable Tool Tips on panes"_s,
                       u"Options | Use Default Source Path"_s,
                       u"Options | Save Current Location as Default Path"_s,
                       u"Options | Goto Default Source Loacation (Go Home)"_s,
                       u"Options | Add Prefix to Saved Folders"_s,
                       u"Options | Use Log File"_s,
                       u"Options | Optional Media Player"_s,
                       u""_s,
                       u"Help | Help, Menues"_s,
                       u"Help | Help, Shortcuts"_s,
                       u"Help | About"_s}
        << QStringList{
               menuInstruction,
               u""_s,
               u"Opens a file list to view and recall the content of a saved Source List file."_s,
               u"Saves the current Source List to a file of choice."_s,
               u"Quits this program."_s,
               u""_s,
               u"Selects English language."_s,
               u"Selects Swedish language."_s,
               u"If ticked no Tool Tips will be shown on Folder Panes."_s,
               u"If ticked a predefined folder will be used as default folder when the program is "
               u"started. If not ticked the program will start with the last used folder."_s,
               u"Saves the current Source Path as default if Use Default Source Path is ticked."_s,
               u"Opens the Default Location on the Source Disk if Use Default Source Path is "
               u"ticked."_s,
               u"If ticked a numeric prefix will be added to the target folder so the folders "
               u"will be displayed in the correct order in a file list of the File Manager."_s,
               u"If ticked a log file will be saved after each copy sequence. The file name is "
               u"the current date plus a prefix with extension odr. The file is located in the "
               u"data folder of this program (<data>)."_s,
               u"If ticked another selected mp3 player will be used instead of System Media "
               u"Player."_s,
               u""_s,
               u"This Help Window"_s,
               u"Help Window for Keyboard Shortcuts."_s,
               u"About this program and System Info."_s};
    QTest::newRow("menus, Swedish")
        << true << true << u"Hjälp, Menyer"_s << u"Stäng"_s << u"Klicka på en rad i listan ovan !"_s
        << QStringList{u"Förklaring av Menyer"_s,
                       u""_s,
                       u"Arkiv | Visa/Återskapa en Sparad Källfil-lista"_s,
                       u"Arkiv | Spara Nuvarande Källfil-lista"_s,
                       u"Arkiv | Avsluta"_s,
                       u""_s,
                       u"Inställningar | English"_s,
                       u"Inställningar | Svenska"_s,
                       u"Inställningar | Inaktivera ToolTips på Folderfönstren"_s,
                       u"Inställningar | Använd Standard Sökväg för Källdisk"_s,
                       u"Inställningar | Spara Nuvarande Sökväg som Standard."_s,
                       u"Inställningar | Gå till Standard Plats för Källdisk (Gå Hem)"_s,
                       u"Inställningar | Lägg Till Prefix till Sparade Foldrar"_s,
                       u"Inställningar | Använd Logfil"_s,
                       u"Inställningar | Annan Media-Spelare"_s,
                       u""_s,
                       u"Hjälp | Hjälp, Menyer"_s,
                       u"Hjälp | Hjälp, Tangentbordsgenvägar"_s,
                       u"Hjälp | Om"_s}
        << QStringList{
               u"Klicka på en rad i listan ovan !"_s,
               u""_s,
               u"Öppnar en fil-lista för visa innehållet i en sparad Käll-listfil."_s,
               u"Sparar den nuvarande Käll-listan till en valfri fil."_s,
               u"Avslutar programmet."_s,
               u""_s,
               u"Väljer engelska som språk."_s,
               u"Väljer svenska som språk."_s,
               u"Om markerad ges inga Tool Tips på Folderfönstren"_s,
               u"Om markerad startar programmet alltid med samma folder på Källdisken öppen. Om "
               u"ej markerad startar programmet med senast använda folder."_s,
               u"Sparar den nuvarande foldern som startfolder."_s,
               u"Öppnar Startfoldern på Källdisken om  Använd Standard Sökväg  är markerad."_s,
               u"Om markerad kommer ett numeriskt prefix att läggas till målfoldern så att "
               u"foldrarna visas i rätt ordning i ett en fil-lista i Filhanteraren."_s,
               u"Om markerad kommer en logfil att sparas efter varje kopieringssekvens. "
               u"Filnamnet är dagens datum plus ett prefix med filändelse odr. Filen sparas i "
               u"detta programs datafolder (<data>)."_s,
               u"Om markerad kommer en annan vald mp3 spelare att användas istället för "
               u"Systemets mediaspelare."_s,
               u""_s,
               u"Detta Hjälpfönster."_s,
               u"Hjälpfönster för Tangentbordsgenvägar."_s,
               u"Om programmet och System Info."_s};
    QTest::newRow("shortcuts, English")
        << false << false << u"Help, Keyboard shortcuts"_s << u"Close"_s << menuInstruction
        << QStringList{u"Explanation of Keyboard shortcuts"_s,
                       u""_s,
                       u"Source Disk  (Upper Left)"_s,
                       u"  <Enter>"_s,
                       u"  <Left Arrow>"_s,
                       u"  <Right Arrow>"_s,
                       u"  <Space> or Mouse Right Click"_s,
                       u"  <Insert> or <Ctrl>+<Insert>"_s,
                       u""_s,
                       u"Source List and Target List  (Upper and Lower Right)"_s,
                       u"  <Space> or Mouse Right Click"_s,
                       u"  <Delete>"_s}
        << QStringList{menuInstruction,
                       u""_s,
                       u""_s,
                       u"Open the selected folder."_s,
                       u"Up one level."_s,
                       u"Open the selected folder."_s,
                       u"Show the mp3 files of the selected folder."_s,
                       u"<Insert>: Copy the selected folder to the Source List.\n<Ctrl>+<Insert>: "
                       u"Open Multi Copy window."_s,
                       u""_s,
                       u""_s,
                       u"Show the mp3 files of the selected folder."_s,
                       u"Delete the selected folder:\nOn the Source List (Upper Right) the folder "
                       u"is deleted from the list.\nOn the Target List (Lower Right) the folder is "
                       u"deleted from the disk."_s};
    QTest::newRow("shortcuts, Swedish")
        << false << true << u"Hjälp, Tangetbords genvägar"_s << u"Stäng"_s
        << u"Klicka på en rad i listan ovan !"_s
        << QStringList{u"Förklaring av tangentbordsgenvägar"_s,
                       u""_s,
                       u"Källdisk   (Överst till vänster)"_s,
                       u"  <Enter>"_s,
                       u"  <Vänster Pil>"_s,
                       u"  <Höger Pil>"_s,
                       u"  <Mellanslag> eller Mus högerklick"_s,
                       u"  <Insert> eller <Ctrl>+<Insert>"_s,
                       u""_s,
                       u"Käll-lista och Mål-lista  (Överst och underst till höger)"_s,
                       u"  <Mellanslag> eller Mus högerklick"_s,
                       u"  <Delete>"_s}
        << QStringList{u"Klicka på en rad i listan ovan !"_s,
                       u""_s,
                       u""_s,
                       u"Öppna vald folder."_s,
                       u"Upp en nivå."_s,
                       u"Öppna vald folder."_s,
                       u"Visa mp3-filerna i vald folder."_s,
                       u"<Insert>: Kopiera vald folder till Käll-listan.\n<Ctrl>+<Insert>: Öppna "
                       u"Kopiera Flera-fönstret."_s,
                       u""_s,
                       u""_s,
                       u"Visa mp3-filerna i vald folder."_s,
                       u"Radera vald folder:\nPå Käll-listan (överst till höger) raderas foldern "
                       u"från listan.\nPå Mål-listan (underst till höger) raderas foldern från "
                       u"disken."_s};
}

void TestInfoForm::helpSets()
{
    QFETCH(bool, onMenus);
    QFETCH(bool, swedish);
    QFETCH(QString, caption);
    QFETCH(QString, button);
    QFETCH(QString, instruction);
    QFETCH(QStringList, rows);
    QFETCH(QStringList, explanations);

    MainFormFixture f;
    f.store(u"Swedish"_s, swedish ? u"1"_s : u"0"_s);
    MainForm& w = f.start();
    whileShown(onMenus ? w.Menu_MenuHelp : w.Menu_ShortcutsHelp, [&](InfoForm& form) {
        QCOMPARE(form.objectName(), u"InfoForm"_s);
        QCOMPARE(form.windowTitle(), caption);
        QCOMPARE(form.Button_OK->text(), button);
        QCOMPARE(rowsOf(form.List1), rows);
        QVERIFY(form.List1->selectedItems().isEmpty());
        QCOMPARE(form.Label1->text(), instruction);
        QVERIFY(form.Label1->font().bold());

        for (int row = rows.size() - 1; row >= 0; --row) {
            form.List1->setCurrentRow(row);
            QCOMPARE(form.Label1->text(),
                     QString(explanations[row]).replace(u"<data>"_s, w.DataFolder));
        }
    });
    QCOMPARE(f.m->HelpOnMenus, onMenus);
}

void TestInfoForm::blankAndGroupRowsEmptyTheLabel_data()
{
    QTest::addColumn<bool>("onMenus");
    QTest::addColumn<int>("row");

    QTest::newRow("menus, blank row 1") << true << 1;
    QTest::newRow("menus, blank row 5") << true << 5;
    QTest::newRow("menus, blank row 15") << true << 15;
    QTest::newRow("shortcuts, blank row 1") << false << 1;
    QTest::newRow("shortcuts, group Source Disk") << false << 2;
    QTest::newRow("shortcuts, blank row 8") << false << 8;
    QTest::newRow("shortcuts, group Source List and Target List") << false << 9;
}

void TestInfoForm::blankAndGroupRowsEmptyTheLabel()
{
    QFETCH(bool, onMenus);
    QFETCH(int, row);

    MainFormFixture f;
    MainForm& w = f.start();
    f.m->HelpOnMenus = onMenus;
    InfoForm form(*f.m, w.DataFolder, &w);
    form.List1->setCurrentRow(3);
    QVERIFY(!form.Label1->text().isEmpty());

    form.List1->setCurrentRow(row);
    QCOMPARE(form.Label1->text(), QString());
    QVERIFY(!form.Label1->font().bold());
}

void TestInfoForm::onlyRowZeroInBold()
{
    MainFormFixture f;
    MainForm& w = f.start();
    f.m->HelpOnMenus = true;
    InfoForm form(*f.m, w.DataFolder, &w);

    form.List1->setCurrentRow(4);
    QCOMPARE(form.Label1->text(), u"Quits this program."_s);
    QVERIFY(!form.Label1->font().bold());
    form.List1->setCurrentRow(0);
    QCOMPARE(form.Label1->text(), menuInstruction);
    QVERIFY(form.Label1->font().bold());
    form.List1->setCurrentRow(6);
    QCOMPARE(form.Label1->text(), u"Selects English language."_s);
    QVERIFY(!form.Label1->font().bold());
}

void TestInfoForm::clickAndKeysShowExplanations()
{
    MainFormFixture f;
    MainForm& w = f.start();
    f.m->HelpOnMenus = false;
    InfoForm form(*f.m, w.DataFolder, &w);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    QTest::mouseClick(form.List1->viewport(), Qt::LeftButton, {},
                      form.List1->visualItemRect(form.List1->item(4)).center());
    QCOMPARE(form.Label1->text(), u"Up one level."_s);
    QTest::keyClick(form.List1, Qt::Key_Down);
    QCOMPARE(form.List1->currentRow(), 5);
    QCOMPARE(form.Label1->text(), u"Open the selected folder."_s);
    QTest::keyClick(form.List1, Qt::Key_Down);
    QTest::keyClick(form.List1, Qt::Key_Down);
    QCOMPARE(form.Label1->text(),
             u"<Insert>: Copy the selected folder to the Source List.\n<Ctrl>+<Insert>: Open "
             u"Multi Copy window."_s);
    QVERIFY(form.isVisible());
}

void TestInfoForm::shortcutHelpAfterMenuHelp()
{
    MainFormFixture f;
    MainForm& w = f.start();
    whileShown(w.Menu_MenuHelp, [](InfoForm& form) {
        QCOMPARE(form.windowTitle(), u"Help, Menues"_s);
        QCOMPARE(form.List1->count(), 19);
    });
    whileShown(w.Menu_ShortcutsHelp, [](InfoForm& form) {
        QCOMPARE(form.windowTitle(), u"Help, Keyboard shortcuts"_s);
        QCOMPARE(form.List1->count(), 12);
        QCOMPARE(form.List1->item(0)->text(), u"Explanation of Keyboard shortcuts"_s);
        form.List1->setCurrentRow(4);
        QCOMPARE(form.Label1->text(), u"Up one level."_s);
    });
    QVERIFY(w.findChildren<InfoForm*>().isEmpty());
}

enum class Close { EscInList, EscOnButton, Button, TitleBar };

void TestInfoForm::waysToClose_data()
{
    QTest::addColumn<Close>("how");

    QTest::newRow("Esc in the list") << Close::EscInList;
    QTest::newRow("Esc on the button") << Close::EscOnButton;
    QTest::newRow("Close button") << Close::Button;
    QTest::newRow("title bar") << Close::TitleBar;
}

void TestInfoForm::waysToClose()
{
    QFETCH(Close, how);

    MainFormFixture f;
    MainForm& w = f.start();
    bool closed = false;
    whileShown(w.Menu_MenuHelp, [&](InfoForm& form) {
        switch (how) {
        case Close::EscInList:
            QTest::keyClick(form.List1, Qt::Key_Escape);
            break;
        case Close::EscOnButton:
            QTest::keyClick(form.Button_OK, Qt::Key_Escape);
            break;
        case Close::Button:
            QTest::mouseClick(form.Button_OK, Qt::LeftButton);
            break;
        case Close::TitleBar:
            form.close();
            break;
        }
        closed = !form.isVisible();
    });
    QVERIFY(closed);
    QVERIFY(w.findChildren<InfoForm*>().isEmpty());
}

QTEST_MAIN(TestInfoForm)
#include "tst_infoform.moc"
