#include "support/MainFormFixture.h"
#include "support/MessageText.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QTest>

using namespace Qt::StringLiterals;

class TestLanguageMenu : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }

    void choosingALanguage_data();
    void choosingALanguage();
    void messagesFollowAtOnceTheMenusStay();
};

void TestLanguageMenu::choosingALanguage_data()
{
    QTest::addColumn<bool>("swedish");    // at start
    QTest::addColumn<QString>("choices"); // menu items in order: E English, S Svenska
    QTest::addColumn<QStringList>("notices");

    const QString toEnglish = u"Change of language|For the change to English to work the program "
                              u"must be restarted !|Ok|Information"_s;
    const QString toSwedish = u"Språkändring|För att ändringen till svenska ska fungera måste "
                              u"programmet startas om !|Ok|Information"_s;
    QTest::newRow("English again") << false << u"E"_s << QStringList();
    QTest::newRow("Swedish again") << true << u"S"_s << QStringList();
    QTest::newRow("to Swedish and back") << false << u"SE"_s << QStringList{toSwedish, toEnglish};
    QTest::newRow("to English and back") << true << u"ES"_s << QStringList{toEnglish, toSwedish};
}

void TestLanguageMenu::choosingALanguage()
{
    QFETCH(bool, swedish);
    QFETCH(QString, choices);
    QFETCH(QStringList, notices);

    MainFormFixture f;
    f.store(u"Swedish"_s, swedish ? u"1"_s : u"0"_s);
    MainForm& w = f.start();
    for (qsizetype i = 0; i < notices.size(); ++i)
        f.platform->answer(Platform::Answer::Ok);
    for (const QChar choice : choices)
        (choice == u'S' ? w.Menu_Swedish : w.Menu_English)->trigger();

    const bool nowSwedish = choices.endsWith(u'S');
    QCOMPARE(messageTexts(*f.platform), notices);
    QCOMPARE(w.Menu_English->isChecked(), !nowSwedish);
    QCOMPARE(w.Menu_Swedish->isChecked(), nowSwedish);
    QCOMPARE(f.m->Swedish, nowSwedish);
    w.close();
    QCOMPARE(MainFormFixture::stored(u"Swedish"_s), nowSwedish ? u"1"_s : u"0"_s);
}

void TestLanguageMenu::messagesFollowAtOnceTheMenusStay()
{
    MainFormFixture f;
    MainForm& w = f.start();
    f.platform->answer(Platform::Answer::Ok);
    w.Menu_Swedish->trigger();
    const QString folder = f.dir.mkdir(u"C/Album"_s);
    w.SourceList->addItem(folder);
    f.platform->clear();
    f.platform->answer(Platform::Answer::No);

    QVERIFY(!w.CheckDuplicateFolder(folder));
    QCOMPARE(f.platform->messages().size(), 1);
    QCOMPARE(f.platform->messages().first().title, u"Existerande folder"_s);
    QCOMPARE(w.Menu_File->title(), u"&File"_s);
    QCOMPARE(w.Menu_Options->title(), u"&Options"_s);
    QCOMPARE(w.Menu_About->text(), u"&About"_s);
}

QTEST_MAIN(TestLanguageMenu)
#include "tst_languagemenu.moc"
