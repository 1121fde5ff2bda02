#include "support/MainFormFixture.h"
#include "support/MessageText.h"

#include "platform/DirListBox.h"
#include "savedlists/SourceListFile.h"

#include <QAction>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QSaveFile>
#include <QTest>

using namespace Qt::StringLiterals;
using A = Platform::Answer;

namespace {

QByteArray contentOf(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                                  QDir::Name);
}

// Albums on drive E below Music, target drive F; the Source List holds the given albums, added
// with Insert; the data folder is empty. "Counted" holds 3 mp3 files of its own, 10 and 12 in
// two subfolders and 2 more a level deeper.
struct Program {
    explicit Program(const QStringList& listed, bool swedish = false)
    {
        f.addDrive(u"E"_s, true);
        f.drives->setFreeSpace(f.addDrive(u"F"_s, true), 1'000'000);
        f.dir.create({u"E/Music/Abba/01.mp3"_s, u"E/Music/Björk/01.mp3"_s,
                      u"E/Music/Counted/cover.jpg"_s, u"E/Music/Counted/CD2/Bonus/1.mp3"_s,
                      u"E/Music/Counted/CD2/Bonus/2.mp3"_s});
        for (int i = 0; i < 12; ++i)
            f.dir.create({u"E/Music/Counted/CD2/%1.mp3"_s.arg(i)});
        for (int i = 0; i < 10; ++i)
            f.dir.create({u"E/Music/Counted/CD1/%1.mp3"_s.arg(i)});
        for (int i = 0; i < 3; ++i)
            f.dir.create({u"E/Music/Counted/Own %1.mp3"_s.arg(i)});
        f.store(u"SourcePath"_s, f.dir(u"E/Music"_s));
        f.store(u"TargetPath"_s, f.dir(u"F"_s));
        if (swedish)
            f.store(u"Swedish"_s, u"1"_s);
        w = &f.start();
        w->show();
        data = f.dir.mkdir(u"Data"_s);
        w->DataFolder = data;
        for (const QString& name : listed) {
            w->SourceFolderList->setPath(album(name));
            QTest::keyClick(w->SourceFolderList, Qt::Key_Insert);
        }
    }
    QString album(const QString& name) const { return f.dir(u"E/Music/"_s + name); }

    MainFormFixture f;
    MainForm* w = nullptr;
    QString data;
};

QString today()
{
    return sourcelistfile::dateText(QDate::currentDate());
}

} // namespace

class TestSaveSourceList : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }
    void dialogCancelAndTwoSavesOnOneDay_data();
    void dialogCancelAndTwoSavesOnOneDay();
    void fileHoldsListCountAndSize();
    void savedOrRefused_data();
    void savedOrRefused();
};

void TestSaveSourceList::dialogCancelAndTwoSavesOnOneDay_data()
{
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<QString>("title");

    QTest::newRow("English") << false << u"Save Source List"_s;
    QTest::newRow("Swedish") << true << u"Spara Käll-lista"_s;
}

void TestSaveSourceList::dialogCancelAndTwoSavesOnOneDay()
{
    QFETCH(bool, swedish);
    QFETCH(QString, title);

    Program p({u"Abba"_s}, swedish);
    QVERIFY(p.w->Menu_SaveCurrentSourceList->isEnabled());
    p.f.platform->answerFileDialog(std::nullopt);
    p.w->Menu_SaveCurrentSourceList->trigger();
    QCOMPARE(filesIn(p.data), QStringList());

    p.f.platform->answerFileDialog(p.data + u'/' + today() + u"_1.odr"_s);
    p.w->Menu_SaveCurrentSourceList->trigger();
    // A new name typed without the extension gets it without a question.
    p.f.platform->answerFileDialog(p.data + u'/' + today() + u"_2"_s);
    p.w->Menu_SaveCurrentSourceList->trigger();

    const QList<Platform::FileDialog>& dialogs = p.f.platform->fileDialogs();
    QCOMPARE(dialogs.size(), 3);
    for (const Platform::FileDialog& dialog : dialogs) {
        QCOMPARE(dialog.title, title);
        QCOMPARE(dialog.folder, p.data);
        QCOMPARE(dialog.filter, u"OrdraneFiles (*.odr)"_s);
        QVERIFY(dialog.confirmOverwrite);
    }
    QCOMPARE(dialogs[1].fileName, today() + u"_1.odr"_s);
    QCOMPARE(dialogs[2].fileName, today() + u"_2.odr"_s);
    QCOMPARE(filesIn(p.data), (QStringList{today() + u"_1.odr"_s, today() + u"_2.odr"_s}));
    QVERIFY(p.f.platform->messages().isEmpty());
}

void TestSaveSourceList::fileHoldsListCountAndSize()
{
    Program p({u"Counted"_s, u"Björk"_s});
    // Saved over an older file: the dialog has asked about replacing it.
    const QString file = p.f.dir.file(u"Data/Party.odr"_s, "an older list\r\n");
    p.f.platform->answerFileDialog(file);
    p.w->Menu_SaveCurrentSourceList_Click();

    const QString size = p.w->TotalSize->text();
    QVERIFY(!size.isEmpty());
    // 3 + 10 + 12 in Counted, the third level left out, and 1 in Björk.
    const QString expected = p.album(u"Counted"_s) + u"\r\n"_s + p.album(u"Björk"_s) +
                             u"\r\nend ----------------------------------\r\n"
                             u"Number of mp3 files: 26\r\nTotalSize:"_s +
                             size + u"\r\n"_s;
    QCOMPARE(contentOf(file), expected.toUtf8());
    QVERIFY(p.f.platform->messages().isEmpty());
}

void TestSaveSourceList::savedOrRefused_data()
{
    QTest::addColumn<QString>("chosen"); // in the data folder, where "Party.odr" says "kept"
    QTest::addColumn<bool>("bjorkGone"); // the listed folder Björk vanishes before the save
    QTest::addColumn<QList<A>>("answers");
    QTest::addColumn<bool>("swedish");
    // %1 the file, %2 the folder Björk, %3 the system's reason
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("written");

    const QString question = u"Save Source List|The file:  Party.odr  already exists.\n"
                             u"Do you want to overwrite it ?|YesNo|Question"_s;
    const QString gone = u"ERROR|Could not save the Source List:  %1\nThe folder  %2  does not "
                         u"exist.\nNothing saved.|Ok|Exclamation"_s;
    QTest::newRow("name without extension, Yes")
        << u"Party"_s << false << QList<A>{A::Yes} << false << QStringList{question} << true;
    QTest::newRow("name without extension, No")
        << u"Party"_s << false << QList<A>{A::No} << false << QStringList{question} << false;
    QTest::newRow("name without extension, Swedish")
        << u"Party"_s << false << QList<A>{A::No} << true
        << QStringList{u"Spara Käll-lista|Filen:  Party.odr  finns redan.\nVill du skriva över "
                       u"den ?|YesNo|Question"_s}
        << false;
    QTest::newRow("listed folder gone")
        << u"Party.odr"_s << true << QList<A>{A::Ok} << false << QStringList{gone} << false;
    QTest::newRow("listed folder gone, name without extension")
        << u"Party"_s << true << QList<A>{A::Yes, A::Ok} << false << QStringList{question, gone}
        << false;
    QTest::newRow("listed folder gone, Swedish")
        << u"Party.odr"_s << true << QList<A>{A::Ok} << true
        << QStringList{u"ERROR|Kunde inte spara Käll-listan:  %1\nFoldern  %2  finns inte.\n"
                       u"Ingenting sparat.|Ok|Exclamation"_s}
        << false;
    QTest::newRow("file cannot be written")
        << u"Gone/Party.odr"_s << false << QList<A>{A::Ok} << false
        << QStringList{u"ERROR|Could not save the Source List:  %1\n%3\nNothing saved.|Ok|"
                       u"Exclamation"_s}
        << false;
}

void TestSaveSourceList::savedOrRefused()
{
    QFETCH(QString, chosen);
    QFETCH(bool, bjorkGone);
    QFETCH(QList<A>, answers);
    QFETCH(bool, swedish);
    QFETCH(QStringList, messages);
    QFETCH(bool, written);

    Program p({u"Abba"_s, u"Björk"_s}, swedish);
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
    QCOMPARE(filesIn(p.data), QStringList{u"Party.odr"_s});
    if (written)
        QCOMPARE(sourcelistfile::readEntries(party),
                 (QStringList{p.album(u"Abba"_s), p.album(u"Björk"_s)}));
    else
        QCOMPARE(contentOf(party), QByteArray("kept\r\n"));
}

QTEST_MAIN(TestSaveSourceList)
#include "tst_savesourcelist.moc"
