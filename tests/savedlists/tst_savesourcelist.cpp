#include "support/MainFormFixture.h"
#include "support/MessageText.h"

#include "platform/DirListBox.h"
#include "savedlists/SourceListFile.h"

#include <QAction>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QTest>

using namespace Qt::StringLiterals;
using A = Platform::Answer;

namespace {

QByteArray contentOf(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
}

QString today()
{
    return sourcelistfile::dateText(QDate::currentDate());
}

} // namespace

class TestSaveSourceList : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }
    void dialogAndCancel_data();
    void dialogAndCancel();
    void savedTwiceOnOneDay();
    void fileHoldsListCountAndSize();
    void saveOverAnExistingFile();
    void nameWithoutExtension_data();
    void nameWithoutExtension();
    void listedFolderGoneStopsTheSave_data();
    void listedFolderGoneStopsTheSave();
    void fileThatCannotBeWritten();

private:
    // Albums on drive E below Music, target drive F; the Source List holds the given albums,
    // added with Insert; the data folder is empty.
    struct Setup {
        MainFormFixture f;
        MainForm* w = nullptr;
        QString data;
    };
    static void prepare(Setup& s, const QStringList& listed);
    static QString album(Setup& s, const QString& name) { return s.f.dir(u"E/Music/"_s + name); }
};

void TestSaveSourceList::prepare(Setup& s, const QStringList& listed)
{
    s.f.addDrive(u"E"_s, true);
    s.f.drives->setFreeSpace(s.f.addDrive(u"F"_s, true), 1'000'000);
    s.f.dir.create({u"E/Music/Abba/01.mp3"_s, u"E/Music/Björk/01.mp3"_s});
    for (int i = 0; i < 3; ++i)
        s.f.dir.file(u"E/Music/Counted/Own %1.mp3"_s.arg(i));
    for (int i = 0; i < 10; ++i)
        s.f.dir.file(u"E/Music/Counted/CD1/%1.mp3"_s.arg(i));
    for (int i = 0; i < 12; ++i)
        s.f.dir.file(u"E/Music/Counted/CD2/%1.mp3"_s.arg(i));
    s.f.dir.create({u"E/Music/Counted/CD2/Bonus/1.mp3"_s, u"E/Music/Counted/CD2/Bonus/2.mp3"_s,
                    u"E/Music/Counted/cover.jpg"_s});
    s.f.store(u"SourcePath"_s, s.f.dir(u"E/Music"_s));
    s.f.store(u"TargetPath"_s, s.f.dir(u"F"_s));
    s.w = &s.f.start();
    s.w->show();
    s.data = s.f.dir.mkdir(u"Data"_s);
    s.w->DataFolder = s.data;
    for (const QString& name : listed) {
        s.w->SourceFolderList->setPath(album(s, name));
        QTest::keyClick(s.w->SourceFolderList, Qt::Key_Insert);
    }
    QVERIFY(s.w->Menu_SaveCurrentSourceList->isEnabled());
}

void TestSaveSourceList::dialogAndCancel_data()
{
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<QString>("title");

    QTest::newRow("English") << false << u"Save Source List"_s;
    QTest::newRow("Swedish") << true << u"Spara Käll-lista"_s;
}

void TestSaveSourceList::dialogAndCancel()
{
    QFETCH(bool, swedish);
    QFETCH(QString, title);

    Setup s;
    prepare(s, {u"Abba"_s});
    s.f.m->Swedish = swedish;
    s.f.platform->answerFileDialog(std::nullopt);
    s.w->Menu_SaveCurrentSourceList->trigger();

    QCOMPARE(s.f.platform->fileDialogs().size(), 1);
    const Platform::FileDialog& dialog = s.f.platform->fileDialogs()[0];
    QCOMPARE(dialog.title, title);
    QCOMPARE(dialog.folder, s.data);
    QCOMPARE(dialog.fileName, today() + u"_1.odr"_s);
    QCOMPARE(dialog.filter, u"OrdraneFiles (*.odr)"_s);
    QVERIFY(dialog.confirmOverwrite);
    QCOMPARE(QDir(s.data).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList());
    QVERIFY(s.f.platform->messages().isEmpty());
}

void TestSaveSourceList::savedTwiceOnOneDay()
{
    Setup s;
    prepare(s, {u"Abba"_s});
    s.f.platform->answerFileDialog(s.data + u'/' + today() + u"_1.odr"_s);
    s.w->Menu_SaveCurrentSourceList_Click();
    s.f.platform->answerFileDialog(s.data + u'/' + today() + u"_2.odr"_s);
    s.w->Menu_SaveCurrentSourceList_Click();

    QCOMPARE(s.f.platform->fileDialogs().size(), 2);
    QCOMPARE(s.f.platform->fileDialogs()[0].fileName, today() + u"_1.odr"_s);
    QCOMPARE(s.f.platform->fileDialogs()[1].fileName, today() + u"_2.odr"_s);
    QCOMPARE(QDir(s.data).entryList(QDir::Files, QDir::Name),
             (QStringList{today() + u"_1.odr"_s, today() + u"_2.odr"_s}));
    QVERIFY(s.f.platform->messages().isEmpty());
}

void TestSaveSourceList::fileHoldsListCountAndSize()
{
    Setup s;
    prepare(s, {u"Counted"_s, u"Björk"_s});
    const QString file = s.data + u"/Party.odr"_s;
    s.f.platform->answerFileDialog(file);
    s.w->Menu_SaveCurrentSourceList_Click();

    const QString size = s.w->TotalSize->text();
    QVERIFY(!size.isEmpty());
    // 3 of its own and 10 and 12 in its subfolders; the third level is not counted.
    const QString expected = album(s, u"Counted"_s) + u"\r\n"_s + album(s, u"Björk"_s) +
                             u"\r\nend ----------------------------------\r\n"
                             u"Number of mp3 files: 26\r\nTotalSize:"_s +
                             size + u"\r\n"_s;
    QCOMPARE(contentOf(file), expected.toUtf8());
    QVERIFY(s.f.platform->messages().isEmpty());
}

void TestSaveSourceList::saveOverAnExistingFile()
{
    Setup s;
    prepare(s, {u"Abba"_s});
    const QString file = s.f.dir.file(u"Data/Old.odr"_s, "an older list\r\n");
    s.f.platform->answerFileDialog(file);
    s.w->Menu_SaveCurrentSourceList_Click();

    QVERIFY(s.f.platform->fileDialogs()[0].confirmOverwrite);
    QCOMPARE(sourcelistfile::readEntries(file), QStringList{album(s, u"Abba"_s)});
    QVERIFY(s.f.platform->messages().isEmpty());
}

void TestSaveSourceList::nameWithoutExtension_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QList<A>>("answers");
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("written");

    QTest::newRow("new name") << false << QList<A>{} << false << QStringList{} << true;
    const QString question = u"Save Source List|The file:  Party.odr  already exists.\n"
                             u"Do you want to overwrite it ?|YesNo|Question"_s;
    QTest::newRow("existing name, Yes")
        << true << QList<A>{A::Yes} << false << QStringList{question} << true;
    QTest::newRow("existing name, No")
        << true << QList<A>{A::No} << false << QStringList{question} << false;
    QTest::newRow("existing name, Swedish")
        << true << QList<A>{A::No} << true
        << QStringList{u"Spara Käll-lista|Filen:  Party.odr  finns redan.\n"
                       u"Vill du skriva över den ?|YesNo|Question"_s}
        << false;
}

void TestSaveSourceList::nameWithoutExtension()
{
    QFETCH(bool, exists);
    QFETCH(QList<A>, answers);
    QFETCH(bool, swedish);
    QFETCH(QStringList, messages);
    QFETCH(bool, written);

    Setup s;
    prepare(s, {u"Abba"_s});
    s.f.m->Swedish = swedish;
    const QString file = s.data + u"/Party.odr"_s;
    if (exists)
        s.f.dir.file(u"Data/Party.odr"_s, "kept\r\n");
    for (A a : answers)
        s.f.platform->answer(a);
    s.f.platform->answerFileDialog(s.data + u"/Party"_s);
    s.w->Menu_SaveCurrentSourceList_Click();

    QCOMPARE(messageTexts(*s.f.platform), messages);
    QVERIFY(!QFile::exists(s.data + u"/Party"_s));
    if (written)
        QCOMPARE(sourcelistfile::readEntries(file), QStringList{album(s, u"Abba"_s)});
    else
        QCOMPARE(contentOf(file), QByteArray("kept\r\n"));
}

void TestSaveSourceList::listedFolderGoneStopsTheSave_data()
{
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<QString>("message"); // %1 the file, %2 the vanished folder

    QTest::newRow("English") << false
                             << u"ERROR|Could not save the Source List:  %1\nThe folder  %2  does "
                                u"not exist.\nNothing saved.|Ok|Exclamation"_s;
    QTest::newRow("Swedish") << true
                             << u"ERROR|Kunde inte spara Käll-listan:  %1\nFoldern  %2  finns "
                                u"inte.\nIngenting sparat.|Ok|Exclamation"_s;
}

void TestSaveSourceList::listedFolderGoneStopsTheSave()
{
    QFETCH(bool, swedish);
    QFETCH(QString, message);

    Setup s;
    prepare(s, {u"Abba"_s, u"Björk"_s});
    s.f.m->Swedish = swedish;
    QVERIFY(QDir(album(s, u"Björk"_s)).removeRecursively());
    const QString file = s.data + u"/Party.odr"_s;
    s.f.platform->answerFileDialog(file);
    s.f.platform->answer(A::Ok);
    s.w->Menu_SaveCurrentSourceList_Click();

    QCOMPARE(s.f.platform->fileDialogs().size(), 1);
    QCOMPARE(messageTexts(*s.f.platform), QStringList{message.arg(file, album(s, u"Björk"_s))});
    QCOMPARE(QDir(s.data).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList());
}

void TestSaveSourceList::fileThatCannotBeWritten()
{
    Setup s;
    prepare(s, {u"Abba"_s});
    const QString file = s.data + u"/Gone/Party.odr"_s;
    s.f.platform->answerFileDialog(file);
    s.f.platform->answer(A::Ok);
    s.w->Menu_SaveCurrentSourceList_Click();

    QCOMPARE(s.f.platform->messages().size(), 1);
    const ScriptedPlatform::Message& shown = s.f.platform->messages()[0];
    QCOMPARE(shown.title, u"ERROR"_s);
    QVERIFY2(shown.text.startsWith(u"Could not save the Source List:  "_s + file + u'\n'),
             qPrintable(shown.text));
    QVERIFY2(shown.text.endsWith(u"\nNothing saved."_s), qPrintable(shown.text));
    QCOMPARE(shown.text.count(u'\n'), 2);
    QCOMPARE(shown.buttons, Platform::Buttons::Ok);
    QCOMPARE(shown.icon, Platform::Icon::Exclamation);
    QVERIFY(!QFileInfo::exists(file));
}

QTEST_MAIN(TestSaveSourceList)
#include "tst_savesourcelist.moc"
