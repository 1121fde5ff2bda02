#include "support/MainFormFixture.h"
#include "support/MessageText.h"

#include "platform/DirListBox.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;
using A = Platform::Answer;

namespace {

// Source drive E at its root, target drive F with 3000 bytes free; each album in the list of
// sizes is E/<index> with one mp3 file of that size.
MainForm& start(MainFormFixture& f, const QList<int>& albums = {})
{
    f.addDrive(u"E"_s, true);
    f.drives->setFreeSpace(f.addDrive(u"F"_s, true), 3000);
    for (int i = 0; i < albums.size(); ++i)
        f.dir.file(u"E/%1/01.mp3"_s.arg(i), QByteArray(albums[i], 'x'));
    f.store(u"SourcePath"_s, f.dir(u"E"_s));
    f.store(u"TargetPath"_s, f.dir(u"F"_s));
    MainForm& w = f.start();
    w.show();
    return w;
}

void insert(MainForm& w, const QString& folder)
{
    w.SourceFolderList->setPath(folder);
    QTest::keyClick(w.SourceFolderList, Qt::Key_Insert);
}

QStringList items(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

QPoint centreOf(const QListWidget* list, int row)
{
    return list->visualItemRect(list->item(row)).center();
}

// The controls that work on a Source List that is not empty.
void verifyListControls(const MainForm& w, bool on)
{
    for (const QWidget* c : std::initializer_list<const QWidget*>{
             w.RemoveSourceFolder, w.ClearSourceList, w.CopyFolders, w.Label_ShowFiles})
        QCOMPARE(c->isVisible() && c->isEnabled(), on);
    QCOMPARE(w.Menu_SaveCurrentSourceList->isEnabled(), on);
}

} // namespace

class TestSourceList : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }
    void addChecks_data();
    void addChecks();
    void addVanishedFolder_data();
    void addVanishedFolder();
    void removal_data();
    void removal();
    void clear_data();
    void clear();
    void drag_data();
    void drag();
    void freeSpace();
    void targetGoneDuringSizeUpdate();
};

void TestSourceList::addChecks_data()
{
    QTest::addColumn<QString>("folder"); // below E; "" is the root
    QTest::addColumn<QList<A>>("answers");
    QTest::addColumn<QString>("message"); // %1 is the folder's path
    QTest::addColumn<int>("listed");      // times the folder is listed afterwards

    const QString root = u"Many Files|This is a root directory.\nAre you sure you want to "
                         u"continue ?|YesNo|Question"_s;
    QTest::newRow("album") << u"Album"_s << QList<A>{} << QString() << 1;
    QTest::newRow("root, Yes") << QString() << QList{A::Yes} << root << 1;
    QTest::newRow("root, No") << QString() << QList{A::No} << root << 0;
    QTest::newRow("empty") << u"Empty"_s << QList{A::Ok}
                           << u"Empty Folder|%1 is empty and will not be copied !|Ok|Information"_s
                           << 0;
    QTest::newRow("mp3 files only in subfolders")
        << u"Box"_s << QList{A::Ok}
        << u"Empty Folder|%1 does not contain any mp3-files and will not be copied "
           u"!|Ok|Information"_s
        << 0;
    // Added twice, it is counted twice.
    QTest::newRow("duplicate, Yes")
        << u"Album"_s << QList{A::Yes}
        << u"Duplicate folder|The folder  %1  already exists.\n\nDo you want to copy it anyway "
           u"?|YesNo|Question"_s
        << 2;
}

void TestSourceList::addChecks()
{
    QFETCH(QString, folder);
    QFETCH(QList<A>, answers);
    QFETCH(QString, message);
    QFETCH(int, listed);

    MainFormFixture f;
    MainForm& w = start(f);
    f.dir.create({u"E/top.mp3"_s, u"E/Empty/Sub/"_s, u"E/Box/CD1/a.mp3"_s, u"E/Box/info.txt"_s});
    f.dir.file(u"E/Album/01.mp3"_s, QByteArray(1000, 'x'));
    const QString path = folder.isEmpty() ? f.dir(u"E"_s) + u'/' : f.dir(u"E/"_s + folder);
    if (listed == 2)
        insert(w, path);
    for (A a : answers)
        f.platform->answer(a);
    insert(w, path);

    QCOMPARE(messageTexts(*f.platform).join(u'\n'), QString(message).replace(u"%1"_s, path));
    QCOMPARE(items(w.SourceList), QStringList(listed, path));
    if (!folder.isEmpty())
        QCOMPARE(w.TotalSize->text(), listed == 0 ? QString() : u" %1.00 kB"_s.arg(listed));
    QCOMPARE(w.ClearSourceList->isEnabled(), listed > 0);
    QCOMPARE(w.Menu_SaveCurrentSourceList->isEnabled(), listed > 0);
    QCOMPARE(w.Label_ShowFiles->isVisible(), listed > 0);
}

void TestSourceList::addVanishedFolder_data()
{
    QTest::addColumn<bool>("openFolderItself");
    QTest::newRow("highlighted subfolder") << false;
    QTest::newRow("open folder") << true;
}

void TestSourceList::addVanishedFolder()
{
    QFETCH(bool, openFolderItself);

    MainFormFixture f;
    MainForm& w = start(f);
    f.dir.create({u"E/Music/Album/01.mp3"_s, u"E/Music/Other/02.mp3"_s});
    const QString gone = f.dir(u"E/Music/Album"_s);
    w.SourceFolderList->setPath(openFolderItself ? gone : f.dir(u"E/Music"_s));
    w.SourceFolderList->setListIndex(openFolderItself ? -1 : 0);
    QVERIFY(QDir(gone).removeRecursively());
    f.platform->answer(A::Ok);
    QTest::keyClick(w.SourceFolderList, Qt::Key_Insert);

    // Named once; the pane is read anew on the nearest folder left.
    QCOMPARE(messageTexts(*f.platform),
             QStringList{u"Error|"_s + gone + u"  doesn't exist.|Ok|None"_s});
    QCOMPARE(w.SourceList->count(), 0);
    QCOMPARE(w.SourceFolderList->path(), f.dir(u"E/Music"_s));
    QCOMPARE(w.SourceFolderList->listCount(), 1);
}

void TestSourceList::removal_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("removed");
    QTest::addColumn<int>("vanished"); // a folder deleted beforehand; -1 none
    QTest::addColumn<QList<int>>("left");
    QTest::addColumn<int>("selected"); // -1: the list is empty

    QTest::newRow("middle item") << 3 << 1 << -1 << QList{0, 2} << 1;
    QTest::newRow("last item") << 3 << 2 << -1 << QList{0, 1} << 1;
    QTest::newRow("only item") << 1 << 0 << -1 << QList<int>{} << -1;
    QTest::newRow("listed folder vanished") << 3 << 0 << 1 << QList{2} << 0;
}

void TestSourceList::removal()
{
    QFETCH(int, count);
    QFETCH(int, removed);
    QFETCH(int, vanished);
    QFETCH(QList<int>, left);
    QFETCH(int, selected);

    MainFormFixture f;
    MainForm& w = start(f, {100, 200, 300});
    for (int i = 0; i < count; ++i)
        insert(w, f.dir(u"E/%1"_s.arg(i)));
    if (vanished >= 0)
        QVERIFY(QDir(f.dir(u"E/%1"_s.arg(vanished))).removeRecursively());
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(!w.RemoveSourceFolder->isEnabled());
    QTest::mouseClick(w.SourceList->viewport(), Qt::LeftButton, {},
                      centreOf(w.SourceList, removed));
    QTest::keyClick(w.SourceList, Qt::Key_Delete);

    QStringList expected;
    double size = 0;
    for (int i : left) {
        expected.append(f.dir(u"E/%1"_s.arg(i)));
        size += 100 * (i + 1);
    }
    QCOMPARE(items(w.SourceList), expected);
    QCOMPARE(f.m->SourceListSize, size);
    QCOMPARE(w.SourceList->currentRow(), selected);
    const bool empty = selected < 0;
    verifyListControls(w, !empty);
    QCOMPARE(w.focusWidget(), empty ? static_cast<QWidget*>(w.SourceFolderList) : w.SourceList);
    QVERIFY(f.platform->messages().isEmpty());
}

void TestSourceList::clear_data()
{
    QTest::addColumn<A>("answer");
    QTest::newRow("Yes") << A::Yes;
    QTest::newRow("No") << A::No;
}

void TestSourceList::clear()
{
    QFETCH(A, answer);

    MainFormFixture f;
    MainForm& w = start(f, {4, 4});
    insert(w, f.dir(u"E/0"_s));
    insert(w, f.dir(u"E/1"_s));
    w.SourceList->setCurrentRow(0);
    f.platform->answer(answer);
    w.ClearSourceList->click();

    const bool cleared = answer == A::Yes;
    QCOMPARE(messageTexts(*f.platform),
             QStringList{u"Clear Source List|Are you sure ?|YesNo|Question"_s});
    QCOMPARE(w.SourceList->count(), cleared ? 0 : 2);
    QCOMPARE(f.m->SourceListSize, cleared ? 0.0 : 8.0);
    QCOMPARE(w.TotalSize->text().isEmpty(), cleared);
    verifyListControls(w, !cleared);
}

void TestSourceList::drag_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("order");

    QTest::newRow("4 onto 1") << 4 << 1 << u"041235"_s;
    QTest::newRow("1 onto 4") << 1 << 4 << u"023415"_s;
    QTest::newRow("click without moving") << 2 << 2 << u"012345"_s;
}

void TestSourceList::drag()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, order);

    MainFormFixture f;
    MainForm& w = start(f, {1, 1, 1, 1, 1, 1});
    for (int i = 0; i < 6; ++i)
        insert(w, f.dir(u"E/%1"_s.arg(i)));
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QWidget* viewport = w.SourceList->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, centreOf(w.SourceList, from));
    QTest::mouseMove(viewport, centreOf(w.SourceList, to));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, centreOf(w.SourceList, to));

    QStringList expected;
    for (QChar c : order)
        expected.append(f.dir(u"E/"_s + c));
    QCOMPARE(items(w.SourceList), expected);
    QCOMPARE(w.SourceList->currentRow(), to);
    QVERIFY(w.SourceList->item(to)->isSelected());
    QVERIFY(w.RemoveSourceFolder->isEnabled());
    QCOMPARE(f.m->SourceListSize, 6.0);
}

void TestSourceList::freeSpace()
{
    MainFormFixture f;
    MainForm& w = start(f, {1000, 2000, 1500});
    const QColor normal = w.palette().color(QPalette::ButtonText);
    const auto colour = [&] {
        return w.TargetFreeSpace->palette().color(QPalette::WindowText);
    };

    insert(w, f.dir(u"E/0"_s));
    insert(w, f.dir(u"E/1"_s));
    QCOMPARE(w.TargetFreeSpace->text(), QString()); // exactly full
    QCOMPARE(colour(), normal);
    QVERIFY(w.CopyFolders->isEnabled());

    insert(w, f.dir(u"E/2"_s));
    QCOMPARE(w.TargetFreeSpace->text(), u"-1.50 kB"_s);
    QCOMPARE(colour(), QColor(255, 0, 0));
    QVERIFY(!w.CopyFolders->isEnabled());

    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::mouseClick(w.SourceList->viewport(), Qt::LeftButton, {}, centreOf(w.SourceList, 1));
    w.RemoveSourceFolder->click();
    QCOMPARE(w.TargetFreeSpace->text(), u"  500 B "_s);
    QCOMPARE(colour(), normal);
    QVERIFY(w.CopyFolders->isEnabled());
}

void TestSourceList::targetGoneDuringSizeUpdate()
{
    MainFormFixture f;
    MainForm& w = start(f, {10});
    w.TargetFolderList->setPath(f.dir.mkdir(u"F/Music"_s));
    f.drives->setReady(f.dir(u"F"_s), false);
    f.platform->answer(A::Ok);
    insert(w, f.dir(u"E/0"_s));

    QCOMPARE(messageTexts(*f.platform),
             QStringList{u"Drive Error|Drive "_s + f.dir(u"F"_s) + u" not ready.|Ok|Critical"_s});
    QCOMPARE(w.TargetFolderList->path(), f.system + u'/');
    QCOMPARE(f.m->TargetDrive->mountPoint(), f.system);
    QVERIFY(w.CopyFolders->isEnabled());
}

QTEST_MAIN(TestSourceList)
#include "tst_sourcelist.moc"
