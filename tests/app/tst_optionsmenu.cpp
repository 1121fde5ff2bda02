#include "support/MainFormFixture.h"
#include "support/MessageText.h"

#include "platform/DirListBox.h"
#include "platform/DriveListBox.h"

#include <QAction>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;
using A = Platform::Answer;

namespace {

// The source pane on E/Music of a removable drive E.
MainForm& start(MainFormFixture& f)
{
    f.addDrive(u"E"_s, true);
    f.dir.create({u"E/Music/Album/"_s});
    f.store(u"SourcePath"_s, f.dir(u"E/Music"_s));
    return f.start();
}

// Whether saving a default path, going there from the menu and going home are enabled.
QList<bool> homeControls(const MainForm& w)
{
    return {w.Menu_SaveCurrentLocationasDefaultPath->isEnabled(),
            w.Menu_GotoDefaultPath->isEnabled(), w.GoHome->isEnabled()};
}

} // namespace

class TestOptionsMenu : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }
    void defaultPathOn_data();
    void defaultPathOn();
    void goHome_data();
    void goHome();
    void optionsLastAcrossARestart();
};

void TestOptionsMenu::defaultPathOn_data()
{
    QTest::addColumn<A>("answer");
    QTest::newRow("No") << A::No;
    QTest::newRow("Yes") << A::Yes;
}

void TestOptionsMenu::defaultPathOn()
{
    QFETCH(A, answer);

    MainFormFixture f;
    MainForm& w = start(f);
    const bool yes = answer == A::Yes;
    f.platform->answer(answer);
    f.platform->answer(A::Ok);
    w.Menu_UseDefaultSourcePath->trigger();

    QStringList shown{
        u"Default Path|Do you want to save the current path as default ?|YesNo|Question"_s};
    if (yes)
        shown.append(u"Default Path|Default path saved.|Ok|Information"_s);
    QCOMPARE(messageTexts(*f.platform), shown);
    QVERIFY(w.Menu_UseDefaultSourcePath->isChecked());
    QCOMPARE(homeControls(w), (QList<bool>{true, yes, yes}));
    QCOMPARE(w.DefaultSourcePath, yes ? f.dir(u"E/Music"_s) : QString());
    QCOMPARE(w.SourceFolderList->path(), f.dir(u"E/Music"_s));
    if (yes) {
        // Off again: the path is forgotten without a question.
        f.platform->clear();
        w.Menu_UseDefaultSourcePath->trigger();
        QVERIFY(!w.Menu_UseDefaultSourcePath->isChecked());
        QCOMPARE(w.DefaultSourcePath, QString());
        QCOMPARE(homeControls(w), (QList<bool>{false, false, false}));
        QVERIFY(f.platform->messages().isEmpty());
        return;
    }

    // Without a path closing asks; the path can still be saved from the menu.
    f.platform->clear();
    f.platform->answer(A::No);
    QVERIFY(!w.close());
    QCOMPARE(messageTexts(*f.platform),
             QStringList{u"Path Error|Default Source path has not been defined.\nDo you want to "
                         u"continue and end the application ?|YesNo|Critical"_s});
    f.platform->answer(A::Ok);
    w.Menu_SaveCurrentLocationasDefaultPath->trigger();
    QCOMPARE(w.DefaultSourcePath, f.dir(u"E/Music"_s));
    QCOMPARE(homeControls(w), (QList<bool>{true, true, true}));
    QVERIFY(w.close());
}

void TestOptionsMenu::goHome_data()
{
    QTest::addColumn<int>("how"); // 0: the Home button, 1: the menu item
    QTest::addColumn<bool>("gone");

    QTest::newRow("Home button") << 0 << false;
    QTest::newRow("menu item") << 1 << false;
    QTest::newRow("folder gone") << 0 << true;
}

void TestOptionsMenu::goHome()
{
    QFETCH(int, how);
    QFETCH(bool, gone);

    MainFormFixture f;
    const QString home = f.dir(u"E/Music/Album"_s);
    f.store(u"DefaultSourcePath"_s, home);
    MainForm& w = start(f);
    w.SourceDriveList->setDrive(f.system);
    QCOMPARE(w.SourceFolderList->path(), f.system + u'/');
    if (gone) {
        QVERIFY(QDir(home).removeRecursively());
        f.platform->answer(A::Ok);
    }
    if (how == 0)
        w.GoHome->click();
    else
        w.Menu_GotoDefaultPath->trigger();

    if (gone) {
        // The default is forgotten and the option turned off.
        QCOMPARE(f.platform->messages().size(), 1);
        QCOMPARE(f.platform->messages().first().text, home + u"  doesn't exist."_s);
        QVERIFY(!w.Menu_UseDefaultSourcePath->isChecked());
        QCOMPARE(w.DefaultSourcePath, QString());
        QCOMPARE(homeControls(w), (QList<bool>{false, false, false}));
        return;
    }
    QCOMPARE(w.SourceDriveList->mountPoint(), f.dir(u"E"_s));
    QCOMPARE(w.SourceFolderList->path(), home);
    QCOMPARE(w.focusWidget(), w.SourceFolderList);
    QVERIFY(f.platform->messages().isEmpty());
}

// Each option is written with its last value at close and read back by the next run.
void TestOptionsMenu::optionsLastAcrossARestart()
{
    MainFormFixture f;
    MainForm& w = start(f);
    f.platform->answer(A::Yes);
    f.platform->answer(A::Ok);
    w.Menu_UseDefaultSourcePath->trigger();
    for (QAction* item : {w.Menu_DisableToolTipsOnPanes, w.Menu_AddFolderPrefix, w.Menu_UseLogFile,
                          w.Menu_UseLogFile})
        item->trigger();
    QVERIFY(w.close());
    QCOMPARE(MainFormFixture::stored(u"DisableToolTipsOnPanes"_s), u"1"_s);
    QCOMPARE(MainFormFixture::stored(u"AddFolderPrefix"_s), u"1"_s);
    QCOMPARE(MainFormFixture::stored(u"UseLogFile"_s), u"0"_s);
    QMap<QString, QString> written;
    for (const QString& key : MainFormFixture::storedKeys())
        written.insert(key, MainFormFixture::stored(key));

    MainFormFixture next; // the same store, as the next run finds it
    next.drives->add(f.dir(u"E"_s), true);
    for (auto it = written.cbegin(); it != written.cend(); ++it)
        next.store(it.key(), it.value());
    MainForm& again = next.start();
    QVERIFY(again.Menu_UseDefaultSourcePath->isChecked());
    QCOMPARE(again.DefaultSourcePath, f.dir(u"E/Music"_s));
    QCOMPARE(homeControls(again), (QList<bool>{true, true, true}));
    QCOMPARE(again.SourceFolderList->toolTip(), QString());
    QVERIFY(again.Menu_DisableToolTipsOnPanes->isChecked());
    QVERIFY(again.Menu_AddFolderPrefix->isChecked());
    QVERIFY(!again.Menu_UseLogFile->isChecked());
}

QTEST_MAIN(TestOptionsMenu)
#include "tst_optionsmenu.moc"
