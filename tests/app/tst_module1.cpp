#include "support/MainFormFixture.h"
#include "support/MessageText.h"

#include <QListWidget>
#include <QTest>

using namespace Qt::StringLiterals;
using A = Platform::Answer;

class TestModule1 : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }

    void standardMessages_data();
    void standardMessages();
    void duplicateQuestion_data();
    void duplicateQuestion();
};

void TestModule1::standardMessages_data()
{
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<QStringList>("messages"); // drive not ready, then path not found

    QTest::newRow("Swedish")
        << true
        << QStringList{u"Disk fel|Disk /media/usb  [MUSIC] är inte tillgänglig.|Ok|Critical"_s,
                       u"Error|/media/usb  [MUSIC]  existerar inte.|Ok|None"_s};
}

void TestModule1::standardMessages()
{
    QFETCH(bool, swedish);

    auto platform = std::make_unique<ScriptedPlatform>();
    ScriptedPlatform& shown = *platform;
    Module1 m(std::move(platform), std::make_unique<TestDrives>());
    m.Swedish = swedish;
    shown.answer(A::Ok);
    shown.answer(A::Ok);
    m.ShowDriveNotReady(u"/media/usb  [MUSIC]"_s);
    m.ShowPathNotFound(u"/media/usb  [MUSIC]"_s);
    QTEST(messageTexts(shown), "messages");
}

void TestModule1::duplicateQuestion_data()
{
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<A>("answer");
    QTest::addColumn<QString>("question"); // empty when not asked

    const QString live = u"/media/Music/Album \"Live\""_s;
    const QStringList list{u"/media/Music/Other"_s, live};
    const QString english =
        u"Duplicate folder|The folder  "_s + live +
        u"  already exists.\n\nDo you want to copy it anyway ?|YesNo|Question"_s;
    const QString swedish = u"Existerande folder|Folder  "_s + live +
                            u"  finns redan.\n\nVill du kopiera den ändå ?|YesNo|Question"_s;
    QTest::newRow("English, No") << list << live << false << A::No << english;
    QTest::newRow("Swedish, Yes") << list << live << true << A::Yes << swedish;
    // Only the exact text counts as a duplicate.
    for (const QString& other :
         QStringList{u"/media/music/album \"live\""_s, live + u'/', u' ' + live, u"/media/Music"_s})
        QTest::addRow("not the same: %s", qPrintable(other))
            << list << other << false << A::Yes << QString();
}

void TestModule1::duplicateQuestion()
{
    QFETCH(QStringList, list);
    QFETCH(QString, path);
    QFETCH(bool, swedish);
    QFETCH(A, answer);
    QFETCH(QString, question);

    MainFormFixture f;
    MainForm& w = f.start();
    f.m->Swedish = swedish;
    w.SourceList->addItems(list);
    if (!question.isEmpty())
        f.platform->answer(answer);

    QCOMPARE(w.CheckDuplicateFolder(path), answer == A::Yes);
    QCOMPARE(messageTexts(*f.platform), question.isEmpty() ? QStringList() : QStringList{question});
}

QTEST_MAIN(TestModule1)
#include "tst_module1.moc"
