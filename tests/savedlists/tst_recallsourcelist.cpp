#include "support/MainFormFixture.h"
#include "support/MessageText.h"

#include "app/SizeText.h"
#include "platform/DirListBox.h"
#include "platform/QtPlatform.h"
#include "savedlists/SourceListFile.h"
#include "savedlists/ViewSavedFilesForm.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSaveFile>
#include <QTest>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <functional>

using namespace Qt::StringLiterals;
using A = Platform::Answer;

namespace {

// Acts on the first viewer as it runs modally and closes any later one. Counts the viewers shown.
struct Viewers {
    explicit Viewers(std::function<void(ViewSavedFilesForm&)> first)
    {
        QObject::connect(&timer, &QTimer::timeout, &timer, [this, first] {
            auto* viewer = qobject_cast<ViewSavedFilesForm*>(QApplication::activeModalWidget());
            if (viewer && viewer->isVisible() && shown++ == 0)
                first(*viewer);
            else if (viewer && viewer->isVisible())
                viewer->Button_Close->click();
        });
        timer.start(0);
    }

    QTimer timer;
    int shown = 0;
};

QString today()
{
    return sourcelistfile::dateText(QDate::currentDate());
}

void clickLine(QListWidget* list, int row, Qt::KeyboardModifiers modifiers = {},
               Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseClick(list->viewport(), button, modifiers,
                      list->visualItemRect(list->item(row)).center());
}

QStringList items(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

// The list files of a folder as "prefix name=first album listed".
QStringList listsIn(const QString& folder, const QString& prefix = {})
{
    QStringList found;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
        QFile file(folder + u'/' + name);
        const QByteArray first = file.open(QIODevice::ReadOnly) ? file.readLine().trimmed() : "";
        found.append(prefix + name + u'=' + QFileInfo(QString::fromUtf8(first)).fileName());
    }
    return found;
}

// A saved list of these lines, "%1" standing for the Music folder.
QByteArray listOf(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    return bytes + "end ----------------------------------\r\nNumber of mp3 files: 3\r\n"
                   "TotalSize:  600 B\r\n";
}

// Albums Abba (100 bytes), Björk (200, its extension in capitals) and Cure (300) and the empty
// folder Empty on drive E below Music, target drive F with the given free space, an empty data
// folder. Counted holds 3 mp3 files of its own, 10 and 12 in two subfolders and 2 more a level
// deeper.
struct Program {
    explicit Program(qint64 freeSpace = 1'000'000)
    {
        f.addDrive(u"E"_s, true);
        f.drives->setFreeSpace(f.addDrive(u"F"_s, true), freeSpace);
        f.dir.file(u"E/Music/Abba/01.mp3"_s, QByteArray(100, 'a'));
        f.dir.file(u"E/Music/Björk/01.MP3"_s, QByteArray(200, 'b'));
        f.dir.file(u"E/Music/Cure/01.mp3"_s, QByteArray(300, 'c'));
        f.dir.mkdir(u"E/Music/Empty"_s);
        f.dir.file(u"E/Music/Björk/notes.mp3.txt"_s, {});
        f.dir.create({u"E/Music/Counted/cover.jpg"_s, u"E/Music/Counted/CD2/Bonus/1.mp3"_s,
                      u"E/Music/Counted/CD2/Bonus/2.mp3"_s});
        for (int i = 0; i < 25; ++i)
            f.dir.create({u"E/Music/Counted/%1%2.mp3"_s.arg(
                i < 3 ? u"Own "_s : (i < 13 ? u"CD1/"_s : u"CD2/"_s), QString::number(i))});
        f.store(u"SourcePath"_s, music);
        f.store(u"TargetPath"_s, f.dir(u"F"_s));
        w = &f.start();
        w->show();
        w->DataFolder = data;
    }
    QString album(const QString& name) const { return music + u'/' + name; }
    QStringList albums(const QStringList& names) const
    {
        QStringList paths;
        for (const QString& name : names)
            paths.append(album(name));
        return paths;
    }
    // Adds albums to the Source List with Insert.
    void insert(const QStringList& names)
    {
        for (const QString& folder : albums(names)) {
            w->SourceFolderList->setPath(folder);
            QTest::keyClick(w->SourceFolderList, Qt::Key_Insert);
        }
    }
    QString savedList(const QString& fileName, QByteArray content)
    {
        return f.dir.file(u"Data/"_s + fileName, content.replace("%1", QFile::encodeName(music)));
    }

    MainFormFixture f;
    QString music = f.dir(u"E/Music"_s);
    QString data = f.dir.mkdir(u"Data"_s);
    MainForm* w = nullptr;
};

enum class Before { Nothing, ChosenElsewhere, PartyExists, DataFolderGone, FileGone };

// The file "2024-12-05_1.odr" is chosen in the open dialog, shown, and acted on in the viewer.
struct Case {
    QStringList listed; // in the Source List before
    QByteArray saved;
    Before before; // FileGone: the file is removed while the viewer shows
    QString action;
    std::optional<QString> typed; // in the rename input box
    QList<A> answers;
    QStringList messages;             // "%1" the Music folder, "%2" the chosen file
    std::optional<QStringList> files; // afterwards, as "name=first album"; unset: unchanged
    QStringList list;                 // afterwards
    bool swedish;
    qint64 freeSpace;
};

} // namespace

// Saved Source Lists through the main window: saving, the viewer, and the loop of open and recall.
class TestRecallSourceList : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }
    void chosenFile_data();
    void chosenFile();
    void twoSavesOnOneDayThenTheCopyLogRecalled_data();
    void twoSavesOnOneDayThenTheCopyLogRecalled();
    void savedOrRefused_data();
    void savedOrRefused();
    void viewerCopiesToTheClipboardAndOpensItsMenu();
};

void TestRecallSourceList::chosenFile_data()
{
    QTest::addColumn<Case>("c");
    // A decision in the viewer other than Recall, on a file listing Abba.
    auto act = [](const char* name, Before before, const QString& action,
                  std::optional<QString> typed, const QList<A>& answers,
                  const QStringList& messages, std::optional<QStringList> files,
                  bool swedish = false) {
        const QByteArray abba = listOf({u"%1/Abba"_s});
        QTest::newRow(name) << Case{{},       abba,  before, action,  typed,    answers,
                                    messages, files, {},     swedish, 1'000'000};
    };
    // Recall of the saved lines into the list of the albums listed.
    auto recall = [](const char* name, const QStringList& listed, const QByteArray& saved,
                     const QList<A>& answers, const QStringList& messages, const QStringList& list,
                     bool swedish = false, qint64 freeSpace = 1'000'000,
                     Before before = Before::Nothing,
                     const QString& action = u"Button_RecallFile"_s) {
        const std::optional<QStringList> files =
            before == Before::FileGone ? std::optional(QStringList()) : std::nullopt;
        QTest::newRow(name) << Case{listed,   saved, before, action,  {},       answers,
                                    messages, files, list,   swedish, freeSpace};
    };
    const QString del = u"Menu_DeleteFile"_s;
    const QString ren = u"Menu_RenameFile"_s;
    const Before plain = Before::Nothing;
    const std::optional<QString> none;
    const std::optional<QString> party = u"Party"_s;
    const std::optional<QStringList> kept;
    const QStringList renamed{u"Party.odr=Abba"_s};
    const QString deleteSv = u"Radera fil|Är säker på att radera filen:  2024-12-05_1.odr  "
                             u"från disken ?|YesNo|Question"_s;

    act("Close", plain, u"Button_Close"_s, none, {}, {}, kept);
    act("delete, No", plain, del, none, {A::No},
        {u"Delete File|Are you sure you want to delete the file:  2024-12-05_1.odr  from the "
         u"disk ?|YesNo|Question"_s},
        kept);
    act("delete, Yes, Swedish", plain, del, none, {A::Yes}, {deleteSv}, QStringList(), true);
    act("delete of a file gone meanwhile, Swedish", Before::FileGone, del, none, {A::Yes, A::Ok},
        {deleteSv, u"ERROR|Okänt fel med:  \nIngenting sparat.|Ok|None"_s}, QStringList(), true);
    act("rename to Party", plain, ren, party, {}, {}, renamed);
    act("rename to Party.ODR keeps its extension", plain, ren, u"Party.ODR"_s, {}, {},
        QStringList{u"Party.ODR=Abba"_s});
    act("rename, empty answer", plain, ren, QString(), {}, {}, kept);
    act("rename to its own name", plain, ren, u"2024-12-05_1"_s, {}, {}, kept);
    act("rename of a list chosen elsewhere moves it into the data folder", Before::ChosenElsewhere,
        ren, party, {}, {}, renamed);
    act("rename onto an existing file, Swedish, Yes", Before::PartyExists, ren, party, {A::Yes},
        {u"ERROR|Filen:  Party.odr  finns redan.\nVill du skriva över den ?|YesNo|Question"_s},
        renamed, true);
    act("rename with a slash", plain, ren, u"Old/Party"_s, {A::Ok},
        {u"ERROR|Invalid file name:  Old/Party.odr\nNothing saved.|Ok|None"_s}, kept);
    act("rename to two dots, Swedish", plain, ren, u".."_s, {A::Ok},
        {u"ERROR|Ogiltigt filnamn:  ...odr\nIngenting sparat.|Ok|None"_s}, kept, true);
    act("rename into a data folder that is gone", Before::DataFolderGone, ren, party, {A::Ok},
        {u"ERROR|Unknown error with:  Party.odr\nNothing saved.|Ok|None"_s}, kept);

    const QStringList abba{u"Abba"_s};
    const QStringList abbaBjork{u"Abba"_s, u"Björk"_s};
    const QByteArray savedAbbaBjork = listOf({u"%1/Abba"_s, u"%1/Björk"_s});
    const QString questionEn =
        u"Recall a saved Source List|The current Source List is not empty.\n\nSelect Yes to "
        u"clear the current Source List and Recall the saved list.\n\nSelect No to Recall the "
        u"saved list and add it to the current Source List. |YesNoCancel|Question"_s;
    recall("into an empty list", {}, savedAbbaBjork, {}, {}, abbaBjork);
    recall("into an empty list, no room on the target", {}, savedAbbaBjork, {}, {}, abbaBjork,
           false, 250);
    // Cleared without "Are you sure ?".
    recall("replacing the list", {u"Cure"_s}, savedAbbaBjork, {A::Yes}, {questionEn}, abbaBjork);
    recall("added, duplicate refused", abba, listOf({u"%1/Björk"_s, u"%1/Abba"_s}), {A::No, A::No},
           {questionEn, u"Duplicate folder|The folder  %1/Abba  already exists.\n\nDo you want "
                        u"to copy it anyway ?|YesNo|Question"_s},
           abbaBjork);
    recall("Cancel in the question, Swedish", abba, listOf({u"%1/Björk"_s}), {A::Cancel},
           {u"Hämta en sparad Källfil-lista|Den nuvarande Källfil-listan är inte tom.\n\nVälj Ja "
            u"för att radera den nuvarande Källfil-listan och hämta den sparade listan.\n\nVälj "
            u"Nej för att hämta den sparade listan och lägg till den till den nuvarande "
            u"Källfil-listan. |YesNoCancel|Question"_s},
           abba, true);
    recall("one existing, one empty, one missing", {},
           listOf({u"%1/Abba"_s, u"%1/Empty"_s, u"%1/Missing"_s}), {A::Ok},
           {u"Not recalled Folders|1 empty folder not recalled.\n1 folder not found.|Ok|"
            u"Information"_s},
           abba);
    recall(
        "lines that are no folder", {},
        listOf({u"%1/Abba"_s, u""_s, u"Music/Abba"_s, u"D:\\Music\\Abba"_s, u"%1/Abba/01.mp3"_s}),
        {A::Ok}, {u"Not recalled Folders|4 folders not found.|Ok|Information"_s}, abba);
    recall("all missing", {}, listOf({u"%1/Gone"_s, u"%1/Lost"_s}), {A::Ok},
           {u"Not recalled Folders|2 folders not found.\nNo Folders Recalled.|Ok|Information"_s},
           {});
    recall("nothing recalled into a full list", abba, listOf({u"%1/Gone"_s}), {A::No, A::Ok},
           {questionEn,
            u"Not recalled Folder|1 folder not found.\nNo Folders Recalled.|Ok|Information"_s},
           abba);
    recall("empty file, through the Recall File item", {}, {}, {}, {}, {}, false, 1'000'000,
           Before::Nothing, u"Menu_RecallFile"_s);
    recall("Windows-1252 list of an older program", {},
           "%1/Bj\xF6rk\r\nend ----------------------------------\r\n", {}, {}, {u"Björk"_s});
    recall("binary file, Swedish", {}, QByteArray("\x01\0\x02", 3), {A::Ok},
           {u"ERROR|Kunde inte läsa filen:  %2\nInte en lista med foldrar: filen innehåller "
            u"binära data.|Ok|Exclamation"_s},
           {}, true);
    recall("file gone before Recall", abba, listOf({u"%1/Björk"_s}), {A::Ok},
           {u"ERROR|Could not read the file:  %2\n"_s +
            QString::fromLocal8Bit(std::strerror(ENOENT)) + u"|Ok|Exclamation"_s},
           abba, false, 1'000'000, Before::FileGone);
}

void TestRecallSourceList::chosenFile()
{
    QFETCH(Case, c);

    Program p(c.freeSpace);
    p.insert(c.listed);
    p.f.m->Swedish = c.swedish;
    QString file = p.savedList(u"2024-12-05_1.odr"_s, c.saved);
    if (c.before == Before::PartyExists)
        p.savedList(u"Party.odr"_s, listOf({u"%1/Cure"_s}));
    if (c.before == Before::ChosenElsewhere) {
        const QString moved = p.f.dir.mkdir(u"Lists"_s) + u"/2024-12-05_1.odr"_s;
        QVERIFY(QFile::rename(file, moved));
        file = moved;
    }
    if (c.before == Before::DataFolderGone)
        p.w->DataFolder = p.data + u"/Gone"_s;
    auto lists = [&] {
        return listsIn(p.data) + listsIn(p.f.dir(u"Lists"_s), u"Lists/"_s);
    };
    const QStringList files = c.files.value_or(lists());
    p.f.platform->answerFileDialog(file);
    p.f.platform->answerFileDialog(std::nullopt);
    if (c.action == u"Menu_RenameFile"_s)
        p.f.platform->answerInputBox(c.typed);
    for (A a : c.answers)
        p.f.platform->answer(a);
    QStringList shown; // caption, label, buttons, pop-up menu, then the lines
    bool recallButton = false;
    Viewers viewers([&](ViewSavedFilesForm& v) {
        shown = QStringList{v.windowTitle(), v.Label1->text(), v.Button_RecallFile->text(),
                            v.Button_Close->text()};
        for (const QAction* item : v.Menu_Menu->actions())
            shown.append(item->text());
        shown += items(v.FileContent);
        recallButton = v.Button_RecallFile->isEnabled();
        if (c.before == Before::FileGone)
            QFile::remove(file);
        if (c.action == u"Esc"_s)
            QTest::keyClick(v.FileContent, Qt::Key_Escape);
        else if (c.action == u"title bar"_s)
            v.close();
        else if (auto* button = v.findChild<QPushButton*>(c.action))
            button->click();
        else
            v.findChild<QAction*>(c.action)->trigger();
    });
    p.w->Menu_ShowSavedSourceList->trigger();

    if (viewers.shown > 0) {
        const QString texts =
            c.swedish ? u"Sparad Källfil-lista:  %1|ALT+M eller Högerklicka på listan för meny|"
                        u"&Hämta|&Stäng|Kopiera till klippbordet||&Rename File|Radera fil|Hämta||"
                        u"Stäng fönstret|Avbryt"_s
                      : u"Saved Source File List:  %1|ALT+M or Rigth Click on the list for menu|"
                        u"&Recall|&Close|Co&py to Clipboard||&Rename File|&Delete File|&Recall "
                        u"File||Close &Window|&Cancel"_s;
        QCOMPARE(shown.mid(0, 12).join(u'|'), texts.arg(QFileInfo(file).fileName()));
        QCOMPARE(recallButton, shown.size() > 12);
        if (c.saved == listOf({u"%1/Abba"_s}))
            QCOMPARE(shown.mid(12), QString::fromUtf8(c.saved)
                                        .replace(u"%1"_s, p.music)
                                        .split(u"\r\n"_s, Qt::SkipEmptyParts));
    }
    for (QString& message : c.messages)
        message.replace(u"%1"_s, p.music).replace(u"%2"_s, file);
    QCOMPARE(messageTexts(*p.f.platform), c.messages);
    QCOMPARE(p.f.platform->unansweredLeft(), 0);
    QCOMPARE(lists(), files);
    // The open dialog comes back after every decision but Recall, and after a file the viewer
    // cannot show.
    const bool recalled = viewers.shown == 1 && c.action.contains(u"Recall"_s);
    const QList<Platform::FileDialog>& dialogs = p.f.platform->fileDialogs();
    QCOMPARE(dialogs.size(), recalled ? 1 : 2);
    QCOMPARE(dialogs[0].title, c.swedish ? u"Sparad Källfil-lista"_s : u"Saved Source File List"_s);
    QCOMPARE(dialogs[0].folder, p.w->DataFolder);
    QCOMPARE(dialogs[0].fileName, QString());
    QCOMPARE(dialogs[0].filter, u"OrdraneFiles (*.odr)"_s);

    QCOMPARE(items(p.w->SourceList), p.albums(c.list));
    const QMap<QString, double> sizes{{u"Abba"_s, 100}, {u"Björk"_s, 200}, {u"Cure"_s, 300}};
    double size = 0;
    for (const QString& name : c.list)
        size += sizes[name];
    QCOMPARE(p.f.m->SourceListSize, size);
    QCOMPARE(p.w->TotalSize->text(), FormatWithPrefix(size, u"B"_s, 103));
    QCOMPARE(p.w->TargetFreeSpace->text(),
             FormatWithPrefix(double(c.freeSpace) - size, u"B"_s, 103));
    QCOMPARE(p.w->CopyFolders->isEnabled(), !c.list.isEmpty() && size <= c.freeSpace);
    QCOMPARE(p.w->ClearSourceList->isEnabled(), !c.list.isEmpty());
    QCOMPARE(p.w->Menu_SaveCurrentSourceList->isEnabled(), !c.list.isEmpty());
    QCOMPARE(p.f.m->SavedListPath, QString());
    QVERIFY(!p.w->SkipClearConfirmation);
}

void TestRecallSourceList::twoSavesOnOneDayThenTheCopyLogRecalled_data()
{
    QTest::addColumn<bool>("swedish");
    QTest::newRow("English") << false;
    QTest::newRow("Swedish") << true;
}

void TestRecallSourceList::twoSavesOnOneDayThenTheCopyLogRecalled()
{
    QFETCH(bool, swedish);

    Program p;
    p.f.m->Swedish = swedish;
    p.insert({u"Cure"_s, u"Abba"_s, u"Björk"_s});
    QVERIFY(p.w->Menu_SaveCurrentSourceList->isEnabled());
    p.f.platform->answerFileDialog(std::nullopt);
    p.w->Menu_SaveCurrentSourceList->trigger();
    QCOMPARE(listsIn(p.data), QStringList());

    p.f.platform->answerFileDialog(p.data + u'/' + today() + u"_1.odr"_s);
    p.w->Menu_SaveCurrentSourceList->trigger();
    // A new name typed without the extension gets it without a question.
    p.f.platform->answerFileDialog(p.data + u'/' + today() + u"_2"_s);
    p.w->Menu_SaveCurrentSourceList->trigger();

    const QList<Platform::FileDialog>& dialogs = p.f.platform->fileDialogs();
    QCOMPARE(dialogs.size(), 3);
    for (const Platform::FileDialog& dialog : dialogs) {
        QCOMPARE(dialog.folder, p.data);
        QVERIFY(dialog.confirmOverwrite);
    }
    QCOMPARE(dialogs[1].fileName, today() + u"_1.odr"_s);
    QCOMPARE(dialogs[2].fileName, today() + u"_2.odr"_s);
    QCOMPARE(listsIn(p.data),
             (QStringList{today() + u"_1.odr=Cure"_s, today() + u"_2.odr=Cure"_s}));
    QVERIFY(p.f.platform->messages().isEmpty());

    // The copy log takes the next name of the day and is recalled in copy order.
    p.w->Menu_UseLogFile->setChecked(true);
    p.f.platform->answer(A::Ok);
    p.w->CopyFolders_Click();
    QCOMPARE(p.w->SourceList->count(), 0);
    p.f.platform->clear();
    p.f.platform->answerFileDialog(p.data + u'/' + today() + u"_3.odr"_s);
    Viewers viewers([](ViewSavedFilesForm& v) { v.Button_RecallFile->click(); });
    p.w->Menu_ShowSavedSourceList_Click();

    QCOMPARE(viewers.shown, 1);
    QVERIFY(p.f.platform->messages().isEmpty());
    QCOMPARE(items(p.w->SourceList), p.albums({u"Cure"_s, u"Abba"_s, u"Björk"_s}));
    QCOMPARE(p.f.m->SourceListSize, 600.0);
}

void TestRecallSourceList::savedOrRefused_data()
{
    QTest::addColumn<QString>("chosen"); // in the data folder, where "Party.odr" says "kept"
    QTest::addColumn<bool>("bjorkGone"); // the listed folder Björk vanishes before the save
    QTest::addColumn<QList<A>>("answers");
    QTest::addColumn<bool>("swedish");
    // %1 the file, %2 the folder Björk, %3 the system's reason
    QTest::addColumn<QStringList>("messages");

    const QString question = u"Save Source List|The file:  Party.odr  already exists.\n"
                             u"Do you want to overwrite it ?|YesNo|Question"_s;
    // Saved over an existing file, with the list, the count and the size.
    QTest::newRow("name without extension, Yes")
        << u"Party"_s << false << QList<A>{A::Yes} << false << QStringList{question};
    QTest::newRow("name without extension, Swedish, No")
        << u"Party"_s << false << QList<A>{A::No} << true
        << QStringList{u"Spara Käll-lista|Filen:  Party.odr  finns redan.\nVill du skriva över "
                       u"den ?|YesNo|Question"_s};
    QTest::newRow("listed folder gone, Swedish")
        << u"Party.odr"_s << true << QList<A>{A::Ok} << true
        << QStringList{u"ERROR|Kunde inte spara Käll-listan:  %1\nFoldern  %2  finns inte.\n"
                       u"Ingenting sparat.|Ok|Exclamation"_s};
    QTest::newRow("file cannot be written")
        << u"Gone/Party.odr"_s << false << QList<A>{A::Ok} << false
        << QStringList{u"ERROR|Could not save the Source List:  %1\n%3\nNothing saved.|Ok|"
                       u"Exclamation"_s};
}

void TestRecallSourceList::savedOrRefused()
{
    QFETCH(QString, chosen);
    QFETCH(bool, bjorkGone);
    QFETCH(QList<A>, answers);
    QFETCH(bool, swedish);
    QFETCH(QStringList, messages);
    const bool written = answers == QList<A>{A::Yes}; // saved only over the file agreed to

    Program p;
    p.f.m->Swedish = swedish;
    p.insert({u"Counted"_s, u"Björk"_s});
    const QString party = p.f.dir.file(u"Data/Party.odr"_s, "kept\r\n");
    QString file = p.data + u'/' + chosen;
    QString reason;
    if (chosen.startsWith(u"Gone/"_s)) {
        QSaveFile probe(file);
        QVERIFY(!probe.open(QIODevice::WriteOnly));
        reason = probe.errorString();
    }
    if (bjorkGone)
        QVERIFY(QDir(p.album(u"Björk"_s)).removeRecursively());
    p.f.platform->answerFileDialog(file);
    for (A a : answers)
        p.f.platform->answer(a);
    p.w->Menu_SaveCurrentSourceList_Click();

    if (!chosen.endsWith(u".odr"_s))
        file += u".odr"_s;
    for (QString& message : messages)
        message.replace(u"%1"_s, file)
            .replace(u"%2"_s, p.album(u"Björk"_s))
            .replace(u"%3"_s, reason);
    QCOMPARE(messageTexts(*p.f.platform), messages);
    QCOMPARE(listsIn(p.data), QStringList{written ? u"Party.odr=Counted"_s : u"Party.odr=kept"_s});
    // 3 + 10 + 12 in Counted, the third level left out, and 1 in Björk.
    const QString content = p.album(u"Counted"_s) + u"\r\n"_s + p.album(u"Björk"_s) +
                            u"\r\nend ----------------------------------\r\nNumber of mp3 "
                            u"files: 26\r\nTotalSize:"_s +
                            p.w->TotalSize->text() + u"\r\n"_s;
    QFile saved(party);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), written ? content.toUtf8() : QByteArray("kept\r\n"));
}

void TestRecallSourceList::viewerCopiesToTheClipboardAndOpensItsMenu()
{
    TestDir dir;
    Module1 m(std::make_unique<QtPlatform>(), std::make_unique<TestDrives>());
    m.SavedListPath = dir.file(u"2024-12-05_1.odr"_s, "/media/E/Music/Abba - Gold\r\n"
                                                      "/media/E/Music/Björk - Post\r\n"
                                                      "end ----------------------------------\r\n"
                                                      "Number of mp3 files: 57\r\n"
                                                      "TotalSize:  412 MB\r\n");
    auto* before = new QMimeData;
    before->setHtml(u"<b>older</b>"_s);
    before->setText(u"older"_s);
    QGuiApplication::clipboard()->setMimeData(before);
    ViewSavedFilesForm form(m, nullptr);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QListWidget* list = form.FileContent;
    QVERIFY(!form.Menu_CopyClipBoard->isEnabled());

    clickLine(list, 4);
    form.Menu_CopyClipBoard->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), u"TotalSize:  412 MB\r\n"_s);

    clickLine(list, 0);
    QVERIFY(form.Menu_CopyClipBoard->isEnabled());
    clickLine(list, 2, Qt::ControlModifier);
    // The menu opened on a line that is not selected leaves the selection as it is.
    clickLine(list, 1, {}, Qt::RightButton);
    QTRY_VERIFY(form.Menu_Menu->isVisible());
    QCOMPARE(list->selectedItems().size(), 2);
    form.Menu_CopyClipBoard->trigger();
    form.Menu_Menu->close();
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    QCOMPARE(copied->text(),
             u"/media/E/Music/Abba - Gold\r\nend ----------------------------------\r\n"_s);
    QVERIFY(!copied->hasHtml());
    QVERIFY(list->selectedItems().isEmpty());
    QVERIFY(!form.Menu_CopyClipBoard->isEnabled());
    QCOMPARE(QApplication::focusWidget(), list);
    QVERIFY(form.isVisible());

    QTest::keyClick(list, Qt::Key_M, Qt::AltModifier);
    QTRY_VERIFY(form.Menu_Menu->isVisible());
}

QTEST_MAIN(TestRecallSourceList)
#include "tst_recallsourcelist.moc"
