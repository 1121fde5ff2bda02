#include "support/MainFormFixture.h"

#include <QListWidget>
#include <QTest>

using namespace Qt::StringLiterals;

class TestModule1 : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }

    void standardMessages_data();
    void standardMessages();
    void duplicateQuestion_data();
    void duplicateQuestion();
    void notADuplicate_data();
    void notADuplicate();
};

void TestModule1::standardMessages_data()
{
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<bool>("driveMessage");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Platform::Icon>("icon");

    QTest::newRow("drive, English")
        << false << true << u"Drive Error"_s << u"Drive /media/usb  [MUSIC] not ready."_s
        << Platform::Icon::Critical;
    QTest::newRow("drive, Swedish")
        << true << true << u"Disk fel"_s << u"Disk /media/usb  [MUSIC] är inte tillgänglig."_s
        << Platform::Icon::Critical;
    QTest::newRow("path, English")
        << false << false << u"Error"_s << u"/media/usb  [MUSIC]  doesn't exist."_s
        << Platform::Icon::None;
    QTest::newRow("path, Swedish")
        << true << false << u"Error"_s << u"/media/usb  [MUSIC]  existerar inte."_s
        << Platform::Icon::None;
}

void TestModule1::standardMessages()
{
    QFETCH(bool, swedish);
    QFETCH(bool, driveMessage);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(Platform::Icon, icon);

    auto platform = std::make_unique<ScriptedPlatform>();
    ScriptedPlatform& shown = *platform;
    Module1 m(std::move(platform), std::make_unique<TestDrives>());
    m.Swedish = swedish;
    shown.answer(Platform::Answer::Ok);
    if (driveMessage)
        m.ShowDriveNotReady(u"/media/usb  [MUSIC]"_s);
    else
        m.ShowPathNotFound(u"/media/usb  [MUSIC]"_s);

    QCOMPARE(shown.messages().size(), 1);
    QCOMPARE(shown.messages()[0].title, title);
    QCOMPARE(shown.messages()[0].text, text);
    QCOMPARE(shown.messages()[0].buttons, Platform::Buttons::Ok);
    QCOMPARE(shown.messages()[0].icon, icon);
}

void TestModule1::duplicateQuestion_data()
{
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<Platform::Answer>("answer");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");

    const QString path = u"/media/Music/Album \"Live\""_s;
    const QString english =
        u"The folder  "_s + path + u"  already exists.\n\nDo you want to copy it anyway ?"_s;
    const QString swedish =
        u"Folder  "_s + path + u"  finns redan.\n\nVill du kopiera den ändå ?"_s;
    QTest::newRow("English, Yes") << false << Platform::Answer::Yes << u"Duplicate folder"_s
                                  << english;
    QTest::newRow("English, No") << false << Platform::Answer::No << u"Duplicate folder"_s
                                 << english;
    QTest::newRow("Swedish, Yes") << true << Platform::Answer::Yes << u"Existerande folder"_s
                                  << swedish;
    QTest::newRow("Swedish, No") << true << Platform::Answer::No << u"Existerande folder"_s
                                 << swedish;
}

void TestModule1::duplicateQuestion()
{
    QFETCH(bool, swedish);
    QFETCH(Platform::Answer, answer);
    QFETCH(QString, title);
    QFETCH(QString, text);

    MainFormFixture f;
    MainForm& w = f.start();
    f.m->Swedish = swedish;
    w.SourceList->addItems({u"/media/Music/Other"_s, u"/media/Music/Album \"Live\""_s});

    f.platform->answer(answer);
    QCOMPARE(w.CheckDuplicateFolder(u"/media/Music/Album \"Live\""_s),
             answer == Platform::Answer::Yes);
    QCOMPARE(f.platform->messages().size(), 1);
    const auto& asked = f.platform->messages()[0];
    QCOMPARE(asked.title, title);
    QCOMPARE(asked.text, text);
    QCOMPARE(asked.buttons, Platform::Buttons::YesNo);
    QCOMPARE(asked.icon, Platform::Icon::Question);
}

void TestModule1::notADuplicate_data()
{
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<QString>("path");

    const QStringList one{u"/media/Music/Album"_s};
    QTest::newRow("empty list") << QStringList() << u"/media/Music/Album"_s;
    QTest::newRow("other letter case") << one << u"/media/music/album"_s;
    QTest::newRow("trailing slash") << one << u"/media/Music/Album/"_s;
    QTest::newRow("leading blank") << one << u" /media/Music/Album"_s;
    QTest::newRow("part of a path") << one << u"/media/Music"_s;
}

void TestModule1::notADuplicate()
{
    QFETCH(QStringList, list);
    QFETCH(QString, path);

    MainFormFixture f;
    MainForm& w = f.start();
    w.SourceList->addItems(list);
    QVERIFY(w.CheckDuplicateFolder(path));
    QVERIFY(f.platform->messages().isEmpty());
}

QTEST_MAIN(TestModule1)
#include "tst_module1.moc"
