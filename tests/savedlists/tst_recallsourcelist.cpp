#include "support/MainWindowFixture.h"

#include "mainwindow/SourceListPane.h"
#include "support/MessageText.h"

#include "platform/DirListBox.h"
#include "platform/FsError.h"
#include "savedlists/SavedListRules.h"
#include "savedlists/SavedListsDialog.h"
#include "savedlists/SourceListFile.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <cerrno>
#include <cstring>

using namespace Qt::StringLiterals;
using A = Platform::Answer;

namespace {

// Albums Abba, Björk (its extension in capitals) and Cure, the empty folder Empty, and Counted with
// an mp3 file of its own, one in a subfolder and one a level deeper; each file 4 bytes.
struct Program {
    Program()
    {
        f.addDrive(u"E"_s, true);
        f.dir.create({u"E/Music/Abba/01.mp3"_s, u"E/Music/Björk/01.MP3"_s, u"E/Music/Cure/01.mp3"_s,
                      u"E/Music/Empty/"_s, u"E/Music/Counted/notes.mp3.txt"_s,
                      u"E/Music/Counted/1.mp3"_s, u"E/Music/Counted/CD1/2.mp3"_s,
                      u"E/Music/Counted/CD1/Bonus/3.mp3"_s});
        f.store(u"SourcePath"_s, music);
        w = &f.start();
        f.m->dataFolder = data;
    }
    void insert(const QStringList& names)
    {
        for (const QString& name : names) {
            child<DirListBox>(*w, u"SourceFolderList"_s)->setPath(music + u'/' + name);
            QTest::keyClick(child<DirListBox>(*w, u"SourceFolderList"_s), Qt::Key_Insert);
        }
    }
    // The list files, then "|" and the albums of the Source List.
    QString state() const
    {
        return entriesOf(data) + u'|' +
               itemsOf(child<QListWidget>(*w, u"SourceList"_s)).join(u' ').remove(music + u'/');
    }

    MainWindowFixture f;
    QString music = f.dir(u"E/Music"_s);
    QString data = f.dir.mkdir(u"Data"_s);
    MainWindow* w = nullptr;
};

// A list chosen in the open dialog, shown, and acted on in the viewer.
struct Row {
    QString before;   // albums listed, "sv", "party" (Party.odr exists), "gone" (the file
                      // is removed while the viewer shows)
    QByteArray saved; // the file "2024-12-05_1.odr", "%1" standing for the Music folder
    QString action;   // "delete", "recall" or the name typed to rename it
    QList<A> answers;
    QString messages, after; // joined by "#", "%2" the file, only a title for a fixed text; as
                             // Program::state()
};

} // namespace

// Saved Source Lists: the viewer of a chosen list and saving through the main window, and the
// list files themselves.
class TestRecallSourceList : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }
    void chosenFile_data();
    void chosenFile();
    void saving();
    void writeThenReadBack();
    void reading_data();
    void reading();
    void namesAndSummaries();
};

void TestRecallSourceList::chosenFile_data()
{
    QTest::addColumn<Row>("r");
    const QByteArray abba = "%1/Abba\r\nend\r\n";
    const QString deleteSv =
        u"Radera fil|Är säker på att radera filen:  2024-12-05_1.odr  från disken ?|YesNo|Question"_s;
    QTest::newRow("deleted, Swedish")
        << Row(u"sv"_s, abba, u"delete"_s, {A::Yes}, deleteSv, u"|"_s);
    QTest::newRow("delete of a file gone meanwhile, Swedish")
        << Row(u"sv gone"_s, abba, u"delete"_s, {A::Yes, A::Ok},
               deleteSv + u"#ERROR|Okänt fel med:  \nIngenting sparat.|Ok|None"_s, u"|"_s);
    QTest::newRow("rename onto an existing file, Swedish")
        << Row(u"sv party"_s, abba, u"Party"_s, {A::Yes},
               u"ERROR|Filen:  Party.odr  finns redan.\nVill du skriva över den ?|YesNo|Question"_s,
               u"Party.odr|"_s);
    QTest::newRow("rename to its own name")
        << Row({}, abba, u"2024-12-05_1"_s, {}, {}, u"2024-12-05_1.odr|"_s);
    const QString question = u"Recall a saved Source List#"_s;
    QTest::newRow("added, duplicate refused") << Row(
        u"Abba"_s, "%1/Björk\r\n%1/Abba", u"recall"_s, {A::No, A::No},
        question +
            u"Duplicate folder|The folder  %1/Abba  already exists.\n\nDo you want to copy it anyway ?|YesNo|Question"_s,
        u"2024-12-05_1.odr|Abba Björk"_s);
    QTest::newRow("lines that are no folder") << Row(
        {}, "%1/Abba\r\n%1/Empty\r\n\r\nMusic/Abba\r\nD:\\Music\\Abba\r\n%1/Abba/01.mp3",
        u"recall"_s, {A::Ok},
        u"Not recalled Folders|1 empty folder not recalled.\n4 folders not found.|Ok|Information"_s,
        u"2024-12-05_1.odr|Abba"_s);
    QTest::newRow("nothing recalled into a full list") << Row(
        u"Abba"_s, "%1/Gone", u"recall"_s, {A::No, A::Ok},
        question +
            u"Not recalled Folder|1 folder not found.\nNo Folders Recalled.|Ok|Information"_s,
        u"2024-12-05_1.odr|Abba"_s);
    QTest::newRow("binary file, Swedish") << Row(
        u"sv"_s, QByteArray("\x01\0\x02", 3), u"recall"_s, {A::Ok},
        u"ERROR|Kunde inte läsa filen:  %2\nInte en lista med foldrar: filen innehåller binära data.|Ok|Exclamation"_s,
        u"2024-12-05_1.odr|"_s);
    QTest::newRow("file gone before Recall")
        << Row(u"Abba gone"_s, "%1/Björk", u"recall"_s, {A::Ok},
               u"ERROR|Could not read the file:  %2\n"_s +
                   QString::fromLocal8Bit(std::strerror(ENOENT)) + u"|Ok|Exclamation"_s,
               u"|Abba"_s);
}

void TestRecallSourceList::chosenFile()
{
    QFETCH(Row, r);

    Program p;
    p.insert(r.before.split(u' ').filter(QRegularExpression(u"^[A-Z]"_s)));
    p.f.m->swedish = r.before.contains(u"sv"_s);
    const QString file =
        p.f.dir.file(u"Data/2024-12-05_1.odr"_s, r.saved.replace("%1", QFile::encodeName(p.music)));
    if (r.before.contains(u"party"_s))
        p.f.dir.file(u"Data/Party.odr"_s, "/Cure\r\n");
    p.f.platform->answerFileDialog(file);
    p.f.platform->answerFileDialog(std::nullopt);
    p.f.platform->answerInputBox(r.action);
    p.f.platform->answer(r.answers);
    int shown = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* v = qobject_cast<SavedListsDialog*>(QApplication::activeModalWidget());
        if (!v || !v->isVisible() || shown++ > 0)
            return;
        if (r.before.contains(u"gone"_s))
            QFile::remove(file);
        if (r.action == u"recall"_s)
            child<QPushButton>(*v, u"Button_RecallFile"_s)->click();
        else
            child<QAction>(*v,
                           r.action == u"delete"_s ? u"Menu_DeleteFile"_s : u"Menu_RenameFile"_s)
                ->trigger();
    });
    timer.start(0);
    child<QAction>(*p.w, u"Menu_ShowSavedSourceList"_s)->trigger();

    const QStringList expected =
        r.messages.replace(u"%1"_s, p.music).replace(u"%2"_s, file).split(u'#', Qt::SkipEmptyParts);
    QStringList texts = messageTexts(*p.f.platform);
    for (qsizetype i = 0; i < texts.size(); ++i)
        if (!expected.value(i).contains(u'|'))
            texts[i] = texts[i].section(u'|', 0, 0);
    QCOMPARE(texts, expected);
    // The open dialog comes back after every decision but Recall, and after a file the viewer
    // cannot show.
    QCOMPARE(p.f.platform->fileDialogs().size(), shown == 1 && r.action == u"recall"_s ? 1 : 2);
    QCOMPARE(p.state(), r.after);
    if (r.before.contains(u"party"_s))
        QVERIFY(contentOf(p.data + u"/Party.odr"_s).contains("Abba"));
    QCOMPARE(p.w->sourceListPane().totalBytes(),
             4.0 * child<QListWidget>(*p.w, u"SourceList"_s)->count());
}

// Saved over an existing file with the list, the mp3 count of two levels and the size; a listed
// folder gone leaves the file as it was.
void TestRecallSourceList::saving()
{
    Program p;
    p.insert({u"Counted"_s, u"Björk"_s});
    const QString party = p.f.dir.file(u"Data/Party.odr"_s, "kept\r\n");
    p.f.m->swedish = true;
    p.f.platform->answerFileDialog(p.data + u"/Party"_s);
    p.f.platform->answerFileDialog(party);
    p.f.platform->answer({A::Yes, A::Ok});
    child<QAction>(*p.w, u"Menu_SaveCurrentSourceList"_s)->trigger();
    const QByteArray content =
        (p.music + u"/Counted\r\n"_s + p.music +
         u"/Björk\r\nend ----------------------------------\r\nNumber of mp3 files: 3\r\nTotalSize:"_s +
         child<QLabel>(*p.w, u"TotalSize"_s)->text() + u"\r\n"_s)
            .toUtf8();
    QCOMPARE(contentOf(party), content);
    QVERIFY(QDir(p.music + u"/Björk"_s).removeRecursively());
    child<QAction>(*p.w, u"Menu_SaveCurrentSourceList"_s)->trigger();
    QCOMPARE(
        messageTexts(*p.f.platform).value(1),
        u"ERROR|Kunde inte spara Käll-listan:  %1\nFoldern  %2  finns inte.\nIngenting sparat.|Ok|Exclamation"_s
            .arg(party, p.music + u"/Björk"_s));
    QCOMPARE(contentOf(party), content);
}

// A new list replaces a longer older one completely, in UTF-8 with CR LF, a line break inside an
// entry written as "?"; an unfinished log leaves no file.
void TestRecallSourceList::writeThenReadBack()
{
    TestDir dir;
    const QString file = dir(u"list.odr"_s);
    const QStringList odd{u"/home/åsa/Ödets mål; \"q\" %20 tab\there 🎵 "_s, u"/"_s,
                          u"/home/u/Ending"_s};
    sourcelistfile::write(file, {u"/a"_s, u"/b"_s, u"/c"_s, u"/d"_s}, u"4"_s, u"4 MB"_s);
    sourcelistfile::write(file, odd + QStringList{u"/two\nlines\r"_s}, u"57"_s, u"1.23 GB"_s);
    QCOMPARE(sourcelistfile::readEntries(file), odd + QStringList{u"/two?lines?"_s});
    QCOMPARE(contentOf(file),
             (odd + QStringList{u"/two?lines?"_s, sourcelistfile::EndLine,
                                u"Number of mp3 files: 57"_s, u"TotalSize:1.23 GB"_s, QString()})
                 .join(u"\r\n"_s)
                 .toUtf8());
    {
        sourcelistfile::Writer log(dir(u"log.odr"_s));
        log.open();
        log.addEntry(u"/home/u/A"_s);
    }
    QCOMPARE(entriesOf(dir.path()), u"list.odr"_s);
}

void TestRecallSourceList::reading_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines"); // none: the file is refused
    QTest::addColumn<int>("entries");       // how many of the lines are entries

    QTest::newRow("mixed line ends, last without")
        << QByteArray("\xEF\xBB\xBF/a\r\n/b\r/c\n\r/d")
        << QStringList{u"/a"_s, u"/b"_s, u"/c"_s, u""_s, u"/d"_s} << 5;
    QTest::newRow("end in any case stops, en does not")
        << QByteArray("en\r\n/b\r\neNd ---\r\n/c")
        << QStringList{u"en"_s, u"/b"_s, u"eNd ---"_s, u"/c"_s} << 2;
    QTest::newRow("one line each way") << QByteArray("/u/Bj\xc3\xb6rk\r\nD:\\Bj\xf6rk \x80\r\n")
                                       << QStringList{u"/u/Björk"_s, u"D:\\Björk €"_s} << 2;
    // The largest accepted: 16 MiB, 511 lines of exactly 32 KiB, then a last shorter line.
    QByteArray largest;
    for (int i = 0; i < 511; ++i)
        largest += QByteArray(32 * 1024, 'x') + "\r\n";
    const qsizetype last = 16 * 1024 * 1024 - largest.size();
    QTest::newRow("16 MiB, lines of 32 KiB")
        << largest + QByteArray(last, 'y')
        << QStringList(511, QString(32 * 1024, u'x')) + QStringList{QString(last, u'y')} << 512;
    QTest::newRow("larger than 16 MiB")
        << largest + QByteArray(last + 1, 'y') << QStringList{} << 0;
    QTest::newRow("line longer than 32 KiB")
        << QByteArray("/a\r\n") + QByteArray(32 * 1024 + 1, 'x') << QStringList{} << 0;
    QTest::newRow("NUL byte") << QByteArray("/a\r\n/b\0c\r\n", 10) << QStringList{} << 0;
}

void TestRecallSourceList::reading()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QFETCH(int, entries);

    TestDir dir;
    const QString file = dir.file(u"list.odr"_s, bytes);
    if (lines.isEmpty())
        QVERIFY_THROWS_EXCEPTION(FsError, sourcelistfile::readEntries(file));
    else
        QCOMPARE(sourcelistfile::readEntries(file), lines.first(entries));
}

// The first free name of the day, a folder taking its name; names typed for a rename; the
// composed summaries of a recall.
void TestRecallSourceList::namesAndSummaries()
{
    TestDir dir;
    const QDate day(2024, 12, 5);
    const QString date = sourcelistfile::dateText(day);
    dir.create({date + u"_2.odr"_s});
    QCOMPARE(sourcelistfile::defaultName(dir.path(), day), dir(date + u"_1.odr"_s));
    dir.create({date + u"_1.odr/"_s});
    QCOMPARE(sourcelistfile::defaultName(dir.path(), day), dir(date + u"_3.odr"_s));

    QCOMPARE(savedlists::withExtension(u"Party.txt"_s), u"Party.txt.odr"_s);
    QCOMPARE(savedlists::withExtension(u"Party.ODR"_s), u"Party.ODR"_s);
    for (const QString& name : {u"   .odr"_s, u"..odr"_s, u"...odr"_s, u".odr"_s, u"a/b.odr"_s})
        QVERIFY2(!savedlists::isValidFileName(name), qPrintable(name));

    QCOMPARE(savedlists::recallSummary(1, 3, 0, true).text, u"3 tomma foldrar ej återskapade."_s);
    QCOMPARE(savedlists::recallSummary(0, 1, 1, true).text,
             u"1 tom folder ej återskapad.\n1 folder ej hittad.\nInga foldrar återskapade."_s);
}

QTEST_MAIN(TestRecallSourceList)
#include "tst_recallsourcelist.moc"
