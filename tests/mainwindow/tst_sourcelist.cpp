#include "support/MainFormFixture.h"
#include "support/MessageText.h"

#include "platform/DirListBox.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
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
    void editing_data();
    void editing();
    void freeSpace();
    void targetGoneDuringSizeUpdate();
    void dropFolders();
};

void TestSourceList::addChecks_data()
{
    QTest::addColumn<QString>("folder"); // below E; "" is the root
    QTest::addColumn<A>("answer");
    QTest::addColumn<QString>("message"); // %1 is the folder's path
    QTest::addColumn<int>("listed");      // times the folder is listed afterwards

    const QString root = u"Many Files|This is a root directory.\nAre you sure you want to "
                         u"continue ?|YesNo|Question"_s;
    QTest::newRow("album") << u"Album"_s << A::Ok << QString() << 1;
    QTest::newRow("root, Yes") << QString() << A::Yes << root << 1;
    QTest::newRow("root, No") << QString() << A::No << root << 0;
    QTest::newRow("empty") << u"Empty"_s << A::Ok
                           << u"Empty Folder|%1 is empty and will not be copied !|Ok|Information"_s
                           << 0;
    QTest::newRow("mp3 files only in subfolders")
        << u"Box"_s << A::Ok
        << u"Empty Folder|%1 does not contain any mp3-files and will not be copied "
           u"!|Ok|Information"_s
        << 0;
    // Added twice, it is counted twice.
    QTest::newRow("duplicate, Yes")
        << u"Album"_s << A::Yes
        << u"Duplicate folder|The folder  %1  already exists.\n\nDo you want to copy it anyway "
           u"?|YesNo|Question"_s
        << 2;
    // Named once; the pane is read anew on the nearest folder left.
    QTest::newRow("vanished") << u"Gone"_s << A::Ok << u"Error|%1  doesn't exist.|Ok|None"_s << 0;
}

void TestSourceList::addChecks()
{
    QFETCH(QString, folder);
    QFETCH(A, answer);
    QFETCH(QString, message);
    QFETCH(int, listed);

    MainFormFixture f;
    MainForm& w = start(f);
    f.dir.create({u"E/top.mp3"_s, u"E/Empty/Sub/"_s, u"E/Box/CD1/a.mp3"_s, u"E/Box/info.txt"_s,
                  u"E/Gone/a.mp3"_s});
    f.dir.file(u"E/Album/01.mp3"_s, QByteArray(1000, 'x'));
    const QString path = folder.isEmpty() ? f.dir(u"E"_s) + u'/' : f.dir(u"E/"_s + folder);
    if (listed == 2)
        insert(w, path);
    f.platform->answer(answer);
    w.SourceFolderList->setPath(path);
    if (folder == u"Gone"_s)
        QVERIFY(QDir(path).removeRecursively());
    QTest::keyClick(w.SourceFolderList, Qt::Key_Insert);

    QCOMPARE(messageTexts(*f.platform).join(u'\n'), QString(message).replace(u"%1"_s, path));
    QCOMPARE(items(w.SourceList), QStringList(listed, path));
    if (!folder.isEmpty())
        QCOMPARE(w.TotalSize->text(), listed == 0 ? QString() : u" %1.00 kB"_s.arg(listed));
    QCOMPARE(w.ClearSourceList->isEnabled(), listed > 0);
    QCOMPARE(w.Menu_SaveCurrentSourceList->isEnabled(), listed > 0);
    QCOMPARE(w.Label_ShowFiles->isVisible(), listed > 0);
    QCOMPARE(w.SourceFolderList->path(), folder == u"Gone"_s ? f.dir(u"E"_s) + u'/' : path);
}

void TestSourceList::editing_data()
{
    QTest::addColumn<int>("count");      // albums listed, of 100, 200, ... bytes
    QTest::addColumn<QString>("action"); // "Del N" after a click on row N, "gone N" first
                                         // deletes album N; "Clear Yes/No"; "drag FROM TO"
    QTest::addColumn<QString>("left");   // the albums listed afterwards
    QTest::addColumn<int>("selected");   // -1: the list is empty

    QTest::newRow("Delete, middle item") << 3 << u"Del 1"_s << u"02"_s << 1;
    QTest::newRow("Delete, last item") << 3 << u"Del 2"_s << u"01"_s << 1;
    QTest::newRow("Delete, only item") << 1 << u"Del 0"_s << QString() << -1;
    QTest::newRow("listed folder vanished") << 3 << u"gone 1 Del 0"_s << u"2"_s << 0;
    QTest::newRow("Clear, Yes") << 2 << u"Clear Yes"_s << QString() << -1;
    QTest::newRow("Clear, No") << 2 << u"Clear No"_s << u"01"_s << 0;
    QTest::newRow("drag 4 onto 1") << 6 << u"drag 4 1"_s << u"041235"_s << 1;
    QTest::newRow("drag 1 onto 4") << 6 << u"drag 1 4"_s << u"023415"_s << 4;
    QTest::newRow("click without moving") << 6 << u"drag 2 2"_s << u"012345"_s << 2;
}

void TestSourceList::editing()
{
    QFETCH(int, count);
    QFETCH(QString, action);
    QFETCH(QString, left);
    QFETCH(int, selected);

    MainFormFixture f;
    MainForm& w = start(f, {100, 200, 300, 400, 500, 600});
    for (int i = 0; i < count; ++i)
        insert(w, f.dir(u"E/%1"_s.arg(i)));
    QStringList words = action.split(u' ');
    if (words[0] == u"gone"_s) {
        QVERIFY(QDir(f.dir(u"E/"_s + words[1])).removeRecursively());
        words = words.mid(2);
    }
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(!w.RemoveSourceFolder->isEnabled());
    QWidget* viewport = w.SourceList->viewport();
    if (words[0] == u"Del"_s) {
        QTest::mouseClick(viewport, Qt::LeftButton, {}, centreOf(w.SourceList, words[1].toInt()));
        QTest::keyClick(w.SourceList, Qt::Key_Delete);
    } else if (words[0] == u"Clear"_s) {
        w.SourceList->setCurrentRow(0);
        f.platform->answer(words[1] == u"Yes"_s ? A::Yes : A::No);
        w.ClearSourceList->click();
    } else {
        QTest::mousePress(viewport, Qt::LeftButton, {}, centreOf(w.SourceList, words[1].toInt()));
        QTest::mouseMove(viewport, centreOf(w.SourceList, words[2].toInt()));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, centreOf(w.SourceList, words[2].toInt()));
    }

    QStringList expected;
    double size = 0;
    for (QChar c : left) {
        expected.append(f.dir(u"E/"_s + c));
        size += 100 * (c.digitValue() + 1);
    }
    QCOMPARE(f.platform->messages().size(), words[0] == u"Clear"_s ? 1 : 0);
    QCOMPARE(items(w.SourceList), expected);
    QCOMPARE(f.m->SourceListSize, size);
    QCOMPARE(w.TotalSize->text().isEmpty(), expected.isEmpty());
    QCOMPARE(w.SourceList->currentRow(), selected);
    const bool empty = selected < 0;
    verifyListControls(w, !empty);
    if (words[0] == u"Del"_s)
        QCOMPARE(w.focusWidget(), empty ? static_cast<QWidget*>(w.SourceFolderList) : w.SourceList);
    if (words[0] == u"drag"_s)
        QVERIFY(w.SourceList->item(selected)->isSelected());
}

void TestSourceList::freeSpace()
{
    MainFormFixture f;
    MainForm& w = start(f, {1000, 2000, 1500});
    const QColor normal = w.palette().color(QPalette::ButtonText);
    // The free space text, whether it is in the normal colour or red, and the Copy button.
    const auto state = [&]() -> QString {
        const QColor colour = w.TargetFreeSpace->palette().color(QPalette::WindowText);
        return w.TargetFreeSpace->text() + (colour == normal ? u"|normal"_s : u"|"_s) +
               (colour == QColor(255, 0, 0) ? u"red"_s : QString()) +
               (w.CopyFolders->isEnabled() ? u"|copy"_s : u"|"_s);
    };

    insert(w, f.dir(u"E/0"_s));
    insert(w, f.dir(u"E/1"_s));
    QCOMPARE(state(), u"|normal|copy"_s); // exactly full
    insert(w, f.dir(u"E/2"_s));
    QCOMPARE(state(), u"-1.50 kB|red|"_s);
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::mouseClick(w.SourceList->viewport(), Qt::LeftButton, {}, centreOf(w.SourceList, 1));
    w.RemoveSourceFolder->click();
    QCOMPARE(state(), u"  500 B |normal|copy"_s);
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

// Folders dropped from the file manager go in in their order, through the checks of Insert; a
// file dropped with them is passed over.
void TestSourceList::dropFolders()
{
    MainFormFixture f;
    MainForm& w = start(f, {100, 200, 0});
    QMimeData dragged;
    dragged.setUrls({QUrl::fromLocalFile(f.dir(u"E/1"_s)),
                     QUrl::fromLocalFile(f.dir(u"E/0/01.mp3"_s)),
                     QUrl::fromLocalFile(f.dir(u"E/0/"_s)), QUrl::fromLocalFile(f.dir(u"E/2"_s))});
    // The drag comes in first: the drop goes where the drag was taken.
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &dragged, Qt::LeftButton, {});
    QCoreApplication::sendEvent(w.SourceList->viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &dragged, Qt::LeftButton, {}, QEvent::Drop);
    f.platform->answer(A::Ok);
    QCoreApplication::sendEvent(w.SourceList->viewport(), &drop);

    QVERIFY(drop.isAccepted());
    QCOMPARE(items(w.SourceList), (QStringList{f.dir(u"E/1"_s), f.dir(u"E/0"_s)}));
    QCOMPARE(f.m->SourceListSize, 300.0);
    QCOMPARE(messageTexts(*f.platform),
             QStringList{u"Empty Folder|"_s + f.dir(u"E/2"_s) +
                         u" is empty and will not be copied !|Ok|Information"_s});
    QVERIFY(w.CopyFolders->isEnabled() && w.ClearSourceList->isEnabled());

    // A click on the entry already selected is a click as well.
    w.SourceList->setCurrentRow(1);
    w.RemoveSourceFolder->setEnabled(false);
    QTest::mouseClick(w.SourceList->viewport(), Qt::LeftButton, {}, centreOf(w.SourceList, 1));
    QVERIFY(w.RemoveSourceFolder->isEnabled());
}

QTEST_MAIN(TestSourceList)
#include "tst_sourcelist.moc"
