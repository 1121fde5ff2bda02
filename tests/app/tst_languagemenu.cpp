#include "support/MainFormFixture.h"
#include "support/MessageText.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString toEnglish = u"Change of language|For the change to English to work the program must "
                          u"be restarted !|Ok|Information"_s;
const QString toSwedish = u"Språkändring|För att ändringen till svenska ska fungera måste "
                          u"programmet startas om !|Ok|Information"_s;

MainForm& start(MainFormFixture& f, bool swedish)
{
    f.store(u"Swedish"_s, swedish ? u"1"_s : u"0"_s);
    return f.start();
}

} // namespace

class TestLanguageMenu : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }

    void activeLanguageChosenAgain_data();
    void activeLanguageChosenAgain();
    void switching_data();
    void switching();
    void swedishAndBackAgain();
    void messagesFollowAtOnceTheMenusStay();
};

void TestLanguageMenu::activeLanguageChosenAgain_data()
{
    QTest::addColumn<bool>("swedish");

    QTest::newRow("English") << false;
    QTest::newRow("Swedish") << true;
}

void TestLanguageMenu::activeLanguageChosenAgain()
{
    QFETCH(bool, swedish);

    MainFormFixture f;
    MainForm& w = start(f, swedish);
    (swedish ? w.Menu_Swedish : w.Menu_English)->trigger();

    QVERIFY(f.platform->messages().isEmpty());
    QCOMPARE(w.Menu_English->isChecked(), !swedish);
    QCOMPARE(w.Menu_Swedish->isChecked(), swedish);
    QCOMPARE(f.m->Swedish, swedish);
    QVERIFY(!f.m->SettingChanged[Module1::SwedishSetting]);
    w.close();
    QCOMPARE(MainFormFixture::stored(u"Swedish"_s), swedish ? u"1"_s : u"0"_s);
}

void TestLanguageMenu::switching_data()
{
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<QString>("stored");

    QTest::newRow("to Swedish") << false << toSwedish << u"1"_s;
    QTest::newRow("to English") << true << toEnglish << u"0"_s;
}

void TestLanguageMenu::switching()
{
    QFETCH(bool, swedish);
    QFETCH(QString, notice);
    QFETCH(QString, stored);

    MainFormFixture f;
    MainForm& w = start(f, swedish);
    f.platform->answer(Platform::Answer::Ok);
    (swedish ? w.Menu_English : w.Menu_Swedish)->trigger();

    QCOMPARE(messageTexts(*f.platform), QStringList{notice});
    QCOMPARE(w.Menu_English->isChecked(), swedish);
    QCOMPARE(w.Menu_Swedish->isChecked(), !swedish);
    QCOMPARE(f.m->Swedish, !swedish);
    QVERIFY(f.m->SettingChanged[Module1::SwedishSetting]);
    w.close();
    QCOMPARE(MainFormFixture::stored(u"Swedish"_s), stored);
}

void TestLanguageMenu::swedishAndBackAgain()
{
    MainFormFixture f;
    MainForm& w = start(f, false);
    f.platform->answer(Platform::Answer::Ok);
    f.platform->answer(Platform::Answer::Ok);
    w.Menu_Swedish->trigger();
    w.Menu_English->trigger();

    QCOMPARE(messageTexts(*f.platform), (QStringList{toSwedish, toEnglish}));
    QVERIFY(w.Menu_English->isChecked());
    QVERIFY(!w.Menu_Swedish->isChecked());
    QCOMPARE(f.m->Swedish, false);
    w.close();
    QCOMPARE(MainFormFixture::stored(u"Swedish"_s), u"0"_s);
}

void TestLanguageMenu::messagesFollowAtOnceTheMenusStay()
{
    MainFormFixture f;
    MainForm& w = start(f, false);
    f.platform->answer(Platform::Answer::Ok);
    w.Menu_Swedish->trigger();
    const QString folder = f.dir.mkdir(u"C/Album"_s);
    w.SourceList->addItem(folder);
    f.platform->clear();
    f.platform->answer(Platform::Answer::No);

    QVERIFY(!w.CheckDuplicateFolder(folder));
    QCOMPARE(messageTexts(*f.platform),
             QStringList{u"Existerande folder|Folder  "_s + folder +
                         u"  finns redan.\n\nVill du kopiera den ändå ?|YesNo|Question"_s});
    QCOMPARE(w.Menu_File->title(), u"&File"_s);
    QCOMPARE(w.Menu_Options->title(), u"&Options"_s);
    QCOMPARE(w.Menu_About->text(), u"&About"_s);
}

QTEST_MAIN(TestLanguageMenu)
#include "tst_languagemenu.moc"
