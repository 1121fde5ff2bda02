#include "support/MainFormFixture.h"
#include "support/MessageText.h"

#include "app/SizeText.h"
#include "platform/DirListBox.h"
#include "savedlists/SourceListFile.h"
#include "savedlists/ViewSavedFilesForm.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <functional>

using namespace Qt::StringLiterals;
using A = Platform::Answer;

namespace {

// Acts on each viewer as it runs modally with the next step; a viewer no step is left for is
// closed. Counts the viewers shown.
class Viewers {
public:
    using Step = std::function<void(ViewSavedFilesForm&)>;

    explicit Viewers(QList<Step> steps)
        : m_steps(std::move(steps))
    {
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { poll(); });
        m_timer.start(0);
    }

    int shown() const { return m_shown; }

private:
    void poll()
    {
        auto* viewer = qobject_cast<ViewSavedFilesForm*>(QApplication::activeModalWidget());
        if (!viewer || !viewer->isVisible())
            return;
        ++m_shown;
        if (m_steps.isEmpty())
            viewer->Button_Close->click();
        else
            m_steps.takeFirst()(*viewer);
    }

    QList<Step> m_steps;
    QTimer m_timer;
    int m_shown = 0;
};

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
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name))
        found.append(
            prefix + name + u'=' +
            QFileInfo(sourcelistfile::readEntries(folder + u'/' + name).value(0)).fileName());
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

// Albums Abba (100 bytes), Björk (200) and Cure (300) and the empty folder Empty on drive E
// below Music, target drive F with the given free space, an empty data folder.
struct Program {
    explicit Program(qint64 freeSpace = 1'000'000)
    {
        f.addDrive(u"E"_s, true);
        f.drives->setFreeSpace(f.addDrive(u"F"_s, true), freeSpace);
        f.dir.file(u"E/Music/Abba/01.mp3"_s, QByteArray(100, 'a'));
        f.dir.file(u"E/Music/Björk/01.mp3"_s, QByteArray(200, 'b'));
        f.dir.file(u"E/Music/Cure/01.mp3"_s, QByteArray(300, 'c'));
        f.dir.mkdir(u"E/Music/Empty"_s);
        f.store(u"SourcePath"_s, music);
        f.store(u"TargetPath"_s, f.dir(u"F"_s));
        w = &f.start();
        w->show();
        w->DataFolder = data;
    }
    QStringList albums(const QStringList& names) const
    {
        QStringList paths;
        for (const QString& name : names)
            paths.append(music + u'/' + name);
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

} // namespace

class TestRecallSourceList : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }
    void fileActions_data();
    void fileActions();
    void recall_data();
    void recall();
    void copyLogRecalledInCopyOrder();
};

void TestRecallSourceList::fileActions_data()
{
    QTest::addColumn<Before>("before");
    QTest::addColumn<QString>("action"); // on the viewer of "2024-12-05_1.odr" listing Abba
    QTest::addColumn<std::optional<QString>>("typed"); // in the rename input box
    QTest::addColumn<QList<A>>("answers");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("files"); // afterwards, as "name=first album"
    QTest::addColumn<bool>("swedish");

    auto row = [](const char* name, Before before, const QString& action,
                  std::optional<QString> typed, const QList<A>& answers,
                  const QStringList& messages, const QStringList& files, bool swedish = false) {
        QTest::newRow(name) << before << action << typed << answers << messages << files << swedish;
    };
    const QString del = u"Menu_DeleteFile"_s;
    const QString ren = u"Menu_RenameFile"_s;
    const Before plain = Before::Nothing;
    const std::optional<QString> none;
    const std::optional<QString> party = u"Party"_s;
    const QStringList kept{u"2024-12-05_1.odr=Abba"_s};
    const QStringList renamed{u"Party.odr=Abba"_s};
    const QString deleteEn = u"Delete File|Are you sure you want to delete the file:  "
                             u"2024-12-05_1.odr  from the disk ?|YesNo|Question"_s;
    const QString deleteSv = u"Radera fil|Är säker på att radera filen:  2024-12-05_1.odr  "
                             u"från disken ?|YesNo|Question"_s;
    const QString overwriteEn = u"ERROR|The file:  Party.odr  already exists.\n"
                                u"Do you want to overwrite it ?|YesNo|Question"_s;

    row("Close", plain, u"Button_Close"_s, none, {}, {}, kept);
    row("title bar's close", plain, u"title bar"_s, none, {}, {}, kept);
    row("delete, No", plain, del, none, {A::No}, {deleteEn}, kept);
    row("delete, Yes", plain, del, none, {A::Yes}, {deleteEn}, {});
    row("delete, Yes, Swedish", plain, del, none, {A::Yes}, {deleteSv}, {}, true);
    row("delete of a file gone meanwhile", Before::FileGone, del, none, {A::Yes, A::Ok},
        {deleteEn, u"ERROR|Unknown error with:  \nNothing saved.|Ok|None"_s}, {});
    row("delete of a file gone meanwhile, Swedish", Before::FileGone, del, none, {A::Yes, A::Ok},
        {deleteSv, u"ERROR|Okänt fel med:  \nIngenting sparat.|Ok|None"_s}, {}, true);
    row("rename to Party", plain, ren, party, {}, {}, renamed);
    row("rename to Party.ODR keeps its extension", plain, ren, u"Party.ODR"_s, {}, {},
        {u"Party.ODR=Abba"_s});
    row("rename, empty answer", plain, ren, QString(), {}, {}, kept);
    row("rename, input box cancelled", plain, ren, none, {}, {}, kept);
    row("rename to its own name", plain, ren, u"2024-12-05_1"_s, {}, {}, kept);
    row("rename of a list chosen elsewhere moves it into the data folder", Before::ChosenElsewhere,
        ren, party, {}, {}, renamed);
    row("rename onto an existing file, Yes", Before::PartyExists, ren, party, {A::Yes},
        {overwriteEn}, renamed);
    row("rename onto an existing file, No", Before::PartyExists, ren, party, {A::No}, {overwriteEn},
        kept + QStringList{u"Party.odr=Cure"_s});
    row("rename onto an existing file, Swedish, Yes", Before::PartyExists, ren, party, {A::Yes},
        {u"ERROR|Filen:  Party.odr  finns redan.\nVill du skriva över den ?|YesNo|Question"_s},
        renamed, true);
    row("rename with a slash", plain, ren, u"Old/Party"_s, {A::Ok},
        {u"ERROR|Invalid file name:  Old/Party.odr\nNothing saved.|Ok|None"_s}, kept);
    row("rename to blanks only", plain, ren, u"   "_s, {A::Ok},
        {u"ERROR|Invalid file name:     .odr\nNothing saved.|Ok|None"_s}, kept);
    row("rename to two dots, Swedish", plain, ren, u".."_s, {A::Ok},
        {u"ERROR|Ogiltigt filnamn:  ...odr\nIngenting sparat.|Ok|None"_s}, kept, true);
    row("rename into a data folder that is gone", Before::DataFolderGone, ren, party, {A::Ok},
        {u"ERROR|Unknown error with:  Party.odr\nNothing saved.|Ok|None"_s}, kept);
}

void TestRecallSourceList::fileActions()
{
    QFETCH(Before, before);
    QFETCH(QString, action);
    QFETCH(std::optional<QString>, typed);
    QFETCH(QList<A>, answers);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, files);
    QFETCH(bool, swedish);

    Program p;
    p.f.m->Swedish = swedish;
    QString file = p.savedList(u"2024-12-05_1.odr"_s, listOf({u"%1/Abba"_s}));
    if (before == Before::PartyExists)
        p.savedList(u"Party.odr"_s, listOf({u"%1/Cure"_s}));
    if (before == Before::ChosenElsewhere) {
        const QString moved = p.f.dir.mkdir(u"Lists"_s) + u"/2024-12-05_1.odr"_s;
        QVERIFY(QFile::rename(file, moved));
        file = moved;
    }
    if (before == Before::DataFolderGone)
        p.w->DataFolder = p.data + u"/Gone"_s;
    p.f.platform->answerFileDialog(file);
    p.f.platform->answerFileDialog(std::nullopt);
    if (action == u"Menu_RenameFile"_s)
        p.f.platform->answerInputBox(typed);
    for (A a : answers)
        p.f.platform->answer(a);
    Viewers viewers({[&](ViewSavedFilesForm& v) {
        if (before == Before::FileGone)
            QFile::remove(file);
        if (action == u"title bar"_s)
            v.close();
        else if (auto* button = v.findChild<QPushButton*>(action))
            button->click();
        else
            v.findChild<QAction*>(action)->trigger();
    }});
    p.w->Menu_ShowSavedSourceList->trigger();

    QCOMPARE(viewers.shown(), 1);
    QCOMPARE(messageTexts(*p.f.platform), messages);
    QCOMPARE(p.f.platform->unansweredLeft(), 0);
    QCOMPARE(listsIn(p.data) + listsIn(p.f.dir(u"Lists"_s), u"Lists/"_s), files);
    // The open dialog comes back after every decision but Recall.
    const QList<Platform::FileDialog>& dialogs = p.f.platform->fileDialogs();
    QCOMPARE(dialogs.size(), 2);
    QCOMPARE(dialogs[0].title, swedish ? u"Sparad Källfil-lista"_s : u"Saved Source File List"_s);
    QCOMPARE(dialogs[0].folder, p.w->DataFolder);
    QCOMPARE(dialogs[0].fileName, QString());
    QCOMPARE(dialogs[0].filter, u"OrdraneFiles (*.odr)"_s);
    QCOMPARE(p.w->SourceList->count(), 0);
    QVERIFY(!p.w->SkipClearConfirmation);
}

void TestRecallSourceList::recall_data()
{
    QTest::addColumn<QStringList>("listed"); // before
    QTest::addColumn<QByteArray>("saved");   // "%1" is the Music folder
    QTest::addColumn<QList<A>>("answers");
    QTest::addColumn<QStringList>("messages"); // "%1" the Music folder, "%2" the saved list
    QTest::addColumn<QStringList>("list");     // afterwards
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<qint64>("freeSpace");
    QTest::addColumn<bool>("goneBeforeRecall");

    auto row = [](const char* name, const QStringList& listed, const QByteArray& saved,
                  const QList<A>& answers, const QStringList& messages, const QStringList& list,
                  bool swedish = false, qint64 freeSpace = 1'000'000, bool gone = false) {
        QTest::newRow(name) << listed << saved << answers << messages << list << swedish
                            << freeSpace << gone;
    };
    const QStringList abba{u"Abba"_s};
    const QStringList abbaBjork{u"Abba"_s, u"Björk"_s};
    const QByteArray savedAbbaBjork = listOf({u"%1/Abba"_s, u"%1/Björk"_s});
    const QByteArray savedBjork = listOf({u"%1/Björk"_s});
    const QString questionEn =
        u"Recall a saved Source List|The current Source List is not empty.\n\nSelect Yes to "
        u"clear the current Source List and Recall the saved list.\n\nSelect No to Recall the "
        u"saved list and add it to the current Source List. |YesNoCancel|Question"_s;
    const QString duplicate = u"Duplicate folder|The folder  %1/Abba  already exists.\n\n"
                              u"Do you want to copy it anyway ?|YesNo|Question"_s;
    const QByteArray mixed = listOf({u"%1/Abba"_s, u"%1/Empty"_s, u"%1/Missing"_s});
    const QByteArray allMissing = listOf({u"%1/Gone"_s, u"%1/Lost"_s});

    row("into an empty list", {}, savedAbbaBjork, {}, {}, abbaBjork);
    row("into an empty list, no room on the target", {}, savedAbbaBjork, {}, {}, abbaBjork, false,
        250);
    // Cleared without "Are you sure ?".
    row("replacing the list", {u"Cure"_s}, savedAbbaBjork, {A::Yes}, {questionEn}, abbaBjork);
    row("replacing the list, Swedish", {u"Cure"_s}, savedAbbaBjork, {A::Yes},
        {u"Hämta en sparad Källfil-lista|Den nuvarande Källfil-listan är inte tom.\n\nVälj Ja "
         u"för att radera den nuvarande Källfil-listan och hämta den sparade listan.\n\nVälj "
         u"Nej för att hämta den sparade listan och lägg till den till den nuvarande "
         u"Källfil-listan. |YesNoCancel|Question"_s},
        abbaBjork, true);
    row("added, duplicate refused", abba, listOf({u"%1/Björk"_s, u"%1/Abba"_s}), {A::No, A::No},
        {questionEn, duplicate}, abbaBjork);
    row("added, duplicate accepted", abba, listOf({u"%1/Björk"_s, u"%1/Abba"_s}), {A::No, A::Yes},
        {questionEn, duplicate}, {u"Abba"_s, u"Björk"_s, u"Abba"_s});
    row("Cancel in the question", abba, savedBjork, {A::Cancel}, {questionEn}, abba);

    row("one existing, one empty, one missing", {}, mixed, {A::Ok},
        {u"Not recalled Folders|1 empty folder not recalled.\n1 folder not found.|Ok|"
         u"Information"_s},
        abba);
    row("one existing, one empty, one missing, Swedish", {}, mixed, {A::Ok},
        {u"Ej återskapade foldrar|1 tom folder ej återskapad.\n1 folder ej hittad.|Ok|"
         u"Information"_s},
        abba, true);
    row("one missing", {}, listOf({u"%1/Cure"_s, u"%1/Gone"_s}), {A::Ok},
        {u"Not recalled Folder|1 folder not found.|Ok|Information"_s}, {u"Cure"_s});
    row("lines that are no folder", {},
        listOf({u"%1/Abba"_s, u""_s, u"Music/Abba"_s, u"D:\\Music\\Abba"_s, u"%1/Abba/01.mp3"_s}),
        {A::Ok}, {u"Not recalled Folders|4 folders not found.|Ok|Information"_s}, abba);
    row("all missing", {}, allMissing, {A::Ok},
        {u"Not recalled Folders|2 folders not found.\nNo Folders Recalled.|Ok|Information"_s}, {});
    row("all missing, Swedish", {}, allMissing, {A::Ok},
        {u"Ej återskapade foldrar|2 foldrar ej hittade.\nInga foldrar återskapade.|Ok|"
         u"Information"_s},
        {}, true);
    row("nothing recalled into a full list", abba, listOf({u"%1/Gone"_s}), {A::No, A::Ok},
        {questionEn,
         u"Not recalled Folder|1 folder not found.\nNo Folders Recalled.|Ok|Information"_s},
        abba);
    row("only the trailer", {}, listOf({}), {}, {}, {});
    row("Windows-1252 list of an older program", {},
        "%1/Bj\xF6rk\r\nend ----------------------------------\r\nNumber of mp3 files: 1\r\n"
        "TotalSize:  200 B\r\n",
        {}, {}, {u"Björk"_s});
    row("binary file", {}, QByteArray("\x01\0\x02", 3), {A::Ok},
        {u"ERROR|Could not read the file:  %2\nNot a list of folders: the file holds binary "
         u"data.|Ok|Exclamation"_s},
        {});
    row("file gone before Recall", abba, savedBjork, {A::Ok},
        {u"ERROR|Could not read the file:  %2\n"_s + QString::fromLocal8Bit(std::strerror(ENOENT)) +
         u"|Ok|Exclamation"_s},
        abba, false, 1'000'000, true);
}

void TestRecallSourceList::recall()
{
    QFETCH(QStringList, listed);
    QFETCH(QByteArray, saved);
    QFETCH(QList<A>, answers);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, list);
    QFETCH(bool, swedish);
    QFETCH(qint64, freeSpace);
    QFETCH(bool, goneBeforeRecall);

    Program p(freeSpace);
    p.insert(listed);
    p.f.m->Swedish = swedish;
    const QString file = p.savedList(u"2024-12-05_1.odr"_s, saved);
    p.f.platform->answerFileDialog(file);
    p.f.platform->answerFileDialog(std::nullopt);
    for (A a : answers)
        p.f.platform->answer(a);
    Viewers viewers({[&](ViewSavedFilesForm& v) {
        if (goneBeforeRecall)
            QFile::remove(file);
        v.Button_RecallFile->click();
    }});
    p.w->Menu_ShowSavedSourceList->trigger();

    for (QString& message : messages)
        message.replace(u"%1"_s, p.music).replace(u"%2"_s, file);
    QCOMPARE(messageTexts(*p.f.platform), messages);
    QCOMPARE(p.f.platform->unansweredLeft(), 0);
    // Recall ends the loop; a file the viewer cannot show brings the open dialog back.
    QCOMPARE(p.f.platform->fileDialogs().size(), viewers.shown() == 1 ? 1 : 2);
    QCOMPARE(items(p.w->SourceList), p.albums(list));
    const QMap<QString, double> sizes{{u"Abba"_s, 100}, {u"Björk"_s, 200}, {u"Cure"_s, 300}};
    double size = 0;
    for (const QString& name : list)
        size += sizes[name];
    QCOMPARE(p.f.m->SourceListSize, size);
    QCOMPARE(p.w->TotalSize->text(), FormatWithPrefix(size, u"B"_s, 103));
    QCOMPARE(p.w->TargetFreeSpace->text(), FormatWithPrefix(double(freeSpace) - size, u"B"_s, 103));
    QCOMPARE(p.w->CopyFolders->isEnabled(), !list.isEmpty() && size <= freeSpace);
    QCOMPARE(p.w->ClearSourceList->isEnabled(), !list.isEmpty());
    QCOMPARE(p.w->Menu_SaveCurrentSourceList->isEnabled(), !list.isEmpty());
    QCOMPARE(p.f.m->SavedListPath, QString());
    QVERIFY(!p.w->SkipClearConfirmation);
}

void TestRecallSourceList::copyLogRecalledInCopyOrder()
{
    Program p;
    p.insert({u"Cure"_s, u"Abba"_s, u"Björk"_s});
    p.w->Menu_UseLogFile->setChecked(true);
    p.f.platform->answer(A::Ok);
    p.w->CopyFolders_Click();
    QCOMPARE(p.w->SourceList->count(), 0);
    p.f.platform->clear();

    p.f.platform->answerFileDialog(p.data + u'/' + sourcelistfile::dateText(QDate::currentDate()) +
                                   u"_1.odr"_s);
    Viewers viewers({[](ViewSavedFilesForm& v) {
        v.Button_RecallFile->click();
    }});
    p.w->Menu_ShowSavedSourceList_Click();

    QCOMPARE(viewers.shown(), 1);
    QVERIFY(p.f.platform->messages().isEmpty());
    QCOMPARE(items(p.w->SourceList), p.albums({u"Cure"_s, u"Abba"_s, u"Björk"_s}));
    QCOMPARE(p.f.m->SourceListSize, 600.0);
}

QTEST_MAIN(TestRecallSourceList)
#include "tst_recallsourcelist.moc"
