#include "support/MainFormFixture.h"
#include "support/MessageText.h"

#include "platform/DirListBox.h"
#include "savedlists/ViewSavedFilesForm.h"

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
        w->show();
        w->DataFolder = data;
    }
    void insert(const QStringList& names)
    {
        for (const QString& name : names) {
            w->SourceFolderList->setPath(music + u'/' + name);
            QTest::keyClick(w->SourceFolderList, Qt::Key_Insert);
        }
    }
    // The list files, then "|" and the albums of the Source List.
    QString state() const
    {
        QStringList albums;
        for (int i = 0; i < w->SourceList->count(); ++i)
            albums.append(w->SourceList->item(i)->text().remove(music + u'/'));
        return entriesOf(data) + u'|' + albums.join(u' ');
    }

    MainFormFixture f;
    QString music = f.dir(u"E/Music"_s);
    QString data = f.dir.mkdir(u"Data"_s);
    MainForm* w = nullptr;
};

} // namespace

// Saved Source Lists through the main window: the viewer of a chosen list, and saving.
class TestRecallSourceList : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }
    void chosenFile_data();
    void chosenFile();
    void saving();
};

void TestRecallSourceList::chosenFile_data()
{
    QTest::addColumn<QString>(
        "before"); // albums listed, sv, "gone": the file removed in the viewer
    QTest::addColumn<QByteArray>("saved"); // the file "2024-12-05_1.odr", "%1" the Music folder
    QTest::addColumn<QString>("action");   // "delete", "recall" or the name typed to rename it
    QTest::addColumn<QList<A>>("answers");
    QTest::addColumn<QString>("messages"); // joined by "#"; %2 the file; only a title: a fixed text
    QTest::addColumn<QString>("after");    // as Program::state()
    auto row = [](const char* name, const QString& before, const QByteArray& saved,
                  const QString& action, const QList<A>& answers, const QString& messages,
                  const QString& after) {
        QTest::newRow(name) << before << saved << action << answers << messages << after;
    };
    const QByteArray abba = "%1/Abba\r\nend\r\n";
    const QString deleteSv =
        u"Radera fil|Är säker på att radera filen:  2024-12-05_1.odr  från disken ?|YesNo|Question"_s;
    const QString kept = u"2024-12-05_1.odr|"_s;
    row("delete, Swedish", u"sv"_s, abba, u"delete"_s, {A::Yes}, deleteSv, u"|"_s);
    row("delete of a file gone meanwhile, Swedish", u"sv gone"_s, abba, u"delete"_s,
        {A::Yes, A::Ok}, deleteSv + u"#ERROR|Okänt fel med:  \nIngenting sparat.|Ok|None"_s,
        u"|"_s);
    row("rename onto an existing file, Swedish", u"sv party"_s, abba, u"Party"_s, {A::Yes},
        u"ERROR|Filen:  Party.odr  finns redan.\nVill du skriva över den ?|YesNo|Question"_s,
        u"Party.odr|"_s);
    row("rename to its own name", {}, abba, u"2024-12-05_1"_s, {}, {}, kept);
    row("rename to two dots, Swedish", u"sv"_s, abba, u".."_s, {A::Ok},
        u"ERROR|Ogiltigt filnamn:  ...odr\nIngenting sparat.|Ok|None"_s, kept);
    row("rename into a data folder that is gone", u"nodata"_s, abba, u"Party"_s, {A::Ok},
        u"ERROR|Unknown error with:  Party.odr\nNothing saved.|Ok|None"_s, kept);
    const QString question = u"Recall a saved Source List#"_s;
    row("added, duplicate refused", u"Abba"_s, "%1/Björk\r\n%1/Abba", u"recall"_s, {A::No, A::No},
        question +
            u"Duplicate folder|The folder  %1/Abba  already exists.\n\nDo you want to copy it anyway ?|YesNo|Question"_s,
        u"2024-12-05_1.odr|Abba Björk"_s);
    row("Windows-1252 list replacing the list", u"Cure"_s, "%1/Bj\xF6rk\r\nend\r\n", u"recall"_s,
        {A::Yes}, question, u"2024-12-05_1.odr|Björk"_s);
    row("lines that are no folder", {},
        "%1/Abba\r\n%1/Empty\r\n\r\nMusic/Abba\r\nD:\\Music\\Abba\r\n%1/Abba/01.mp3", u"recall"_s,
        {A::Ok},
        u"Not recalled Folders|1 empty folder not recalled.\n4 folders not found.|Ok|Information"_s,
        u"2024-12-05_1.odr|Abba"_s);
    row("nothing recalled into a full list", u"Abba"_s, "%1/Gone", u"recall"_s, {A::No, A::Ok},
        question +
            u"Not recalled Folder|1 folder not found.\nNo Folders Recalled.|Ok|Information"_s,
        u"2024-12-05_1.odr|Abba"_s);
    row("binary file, Swedish", u"sv"_s, QByteArray("\x01\0\x02", 3), u"recall"_s, {A::Ok},
        u"ERROR|Kunde inte läsa filen:  %2\nInte en lista med foldrar: filen innehåller binära data.|Ok|Exclamation"_s,
        u"2024-12-05_1.odr|"_s);
    row("file gone before Recall", u"Abba gone"_s, "%1/Björk", u"recall"_s, {A::Ok},
        u"ERROR|Could not read the file:  %2\n"_s + QString::fromLocal8Bit(std::strerror(ENOENT)) +
            u"|Ok|Exclamation"_s,
        u"|Abba"_s);
}

void TestRecallSourceList::chosenFile()
{
    QFETCH(QString, before);
    QFETCH(QByteArray, saved);
    QFETCH(QString, action);
    QFETCH(QList<A>, answers);
    QFETCH(QString, messages);
    QFETCH(QString, after);

    Program p;
    p.insert(before.split(u' ').filter(QRegularExpression(u"^[A-Z]"_s)));
    p.f.m->Swedish = before.contains(u"sv"_s);
    const QString file =
        p.f.dir.file(u"Data/2024-12-05_1.odr"_s, saved.replace("%1", QFile::encodeName(p.music)));
    if (before.contains(u"party"_s))
        p.f.dir.file(u"Data/Party.odr"_s, "/Cure\r\n");
    if (before.contains(u"nodata"_s))
        p.w->DataFolder = p.data + u"/Gone"_s;
    p.f.platform->answerFileDialog(file);
    p.f.platform->answerFileDialog(std::nullopt);
    p.f.platform->answerInputBox(action);
    for (A a : answers)
        p.f.platform->answer(a);
    int shown = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* v = qobject_cast<ViewSavedFilesForm*>(QApplication::activeModalWidget());
        if (!v || !v->isVisible() || shown++ > 0)
            return;
        if (before.contains(u"gone"_s))
            QFile::remove(file);
        if (action == u"recall"_s)
            v->Button_RecallFile->click();
        else
            (action == u"delete"_s ? v->Menu_DeleteFile : v->Menu_RenameFile)->trigger();
    });
    timer.start(0);
    p.w->Menu_ShowSavedSourceList->trigger();

    const QStringList expected =
        messages.replace(u"%1"_s, p.music).replace(u"%2"_s, file).split(u'#', Qt::SkipEmptyParts);
    QStringList texts = messageTexts(*p.f.platform);
    for (qsizetype i = 0; i < texts.size(); ++i)
        if (!expected.value(i).contains(u'|'))
            texts[i] = texts[i].section(u'|', 0, 0);
    QCOMPARE(texts, expected);
    QCOMPARE(p.f.platform->unansweredLeft(), 0);
    // The open dialog comes back after every decision but Recall, and after a file the viewer
    // cannot show.
    QCOMPARE(p.f.platform->fileDialogs().size(), shown == 1 && action == u"recall"_s ? 1 : 2);
    QCOMPARE(p.state(), after);
    if (before.contains(u"party"_s))
        QVERIFY(contentOf(p.data + u"/Party.odr"_s).contains("Abba"));
    QCOMPARE(p.f.m->SourceListSize, 4.0 * p.w->SourceList->count());
}

// Saved over an existing file with the list, the mp3 count of two levels and the size; a listed
// folder gone or a file that cannot be written leave the file as it was.
void TestRecallSourceList::saving()
{
    Program p;
    p.insert({u"Counted"_s, u"Björk"_s});
    const QString party = p.f.dir.file(u"Data/Party.odr"_s, "kept\r\n");
    p.f.m->Swedish = true;
    p.f.platform->answerFileDialog(p.data + u"/Party"_s);
    p.f.platform->answerFileDialog(party);
    p.f.platform->answerFileDialog(p.data + u"/Gone/Party.odr"_s);
    for (A a : {A::Yes, A::Ok, A::Ok})
        p.f.platform->answer(a);
    p.w->Menu_SaveCurrentSourceList_Click();
    const QByteArray content =
        (p.music + u"/Counted\r\n"_s + p.music +
         u"/Björk\r\nend ----------------------------------\r\nNumber of mp3 files: 3\r\nTotalSize:"_s +
         p.w->TotalSize->text() + u"\r\n"_s)
            .toUtf8();
    QCOMPARE(contentOf(party), content);
    QVERIFY(QDir(p.music + u"/Björk"_s).removeRecursively());
    p.w->Menu_SaveCurrentSourceList_Click();
    p.w->Menu_SaveCurrentSourceList_Click();
    const QStringList texts = messageTexts(*p.f.platform);
    QCOMPARE(texts.size(), 3);
    QCOMPARE(
        texts[1],
        u"ERROR|Kunde inte spara Käll-listan:  %1\nFoldern  %2  finns inte.\nIngenting sparat.|Ok|Exclamation"_s
            .arg(party, p.music + u"/Björk"_s));
    QVERIFY2(texts[2].startsWith(
                 u"ERROR|Kunde inte spara Käll-listan:  %1/Gone/Party.odr\n"_s.arg(p.data)),
             qPrintable(texts[2]));
    QCOMPARE(contentOf(party), content);
}

QTEST_MAIN(TestRecallSourceList)
#include "tst_recallsourcelist.moc"
