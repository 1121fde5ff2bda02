#include "support/MainFormFixture.h"
#include "support/MessageText.h"

#include "platform/DirListBox.h"

#include <QDir>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;
using A = Platform::Answer;

namespace {

// Source drive E at its root, target drive F with 3000 bytes free; album i of the sizes given is
// E/<i> with one mp3 file of that size.
MainForm& start(MainFormFixture& f, const QList<int>& albums)
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

// The Source List's entries by their album numbers, and the size text: "1 0| 1.50 kB".
QString listed(const MainFormFixture& f, const MainForm& w)
{
    QStringList albums;
    for (int i = 0; i < w.SourceList->count(); ++i)
        albums.append(w.SourceList->item(i)->text().mid(f.dir(u"E/"_s).size()));
    return albums.join(u' ') + u'|' + w.TotalSize->text();
}

QPoint centreOf(const MainForm& w, int row)
{
    return w.SourceList->visualItemRect(w.SourceList->item(row)).center();
}

} // namespace

class TestSourceList : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }
    void editing();
    void dropFolders();
};

// Sizes and free space follow the list; dragging an entry moves it; a folder or a target drive
// gone is said and the pane read anew.
void TestSourceList::editing()
{
    MainFormFixture f;
    MainForm& w = start(f, {1000, 2000, 1500});
    for (int i = 0; i < 3; ++i)
        insert(w, f.dir(u"E/%1"_s.arg(i)));
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const auto freeSpace = [&]() -> QString {
        const bool red =
            w.TargetFreeSpace->palette().color(QPalette::WindowText) == QColor(255, 0, 0);
        return w.TargetFreeSpace->text() + (red ? u" red"_s : QString()) +
               (w.CopyFolders->isEnabled() ? u" copy"_s : QString());
    };
    QCOMPARE(freeSpace(), u"-1.50 kB red"_s);

    QWidget* viewport = w.SourceList->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, centreOf(w, 2));
    QTest::mouseMove(viewport, centreOf(w, 0));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, centreOf(w, 0));
    QCOMPARE(listed(f, w), u"2 0 1| 4.50 kB"_s);
    QCOMPARE(w.SourceList->currentRow(), 0);
    QTest::keyClick(w.SourceList, Qt::Key_Delete);
    QCOMPARE(listed(f, w), u"0 1| 3.00 kB"_s);
    QCOMPARE(freeSpace(), u" copy"_s); // exactly full

    const QString gone = f.dir.mkdir(u"E/2/Gone"_s);
    w.SourceFolderList->setPath(gone);
    QVERIFY(QDir(gone).removeRecursively());
    f.drives->setReady(f.dir(u"F"_s), false);
    f.platform->answer(A::Ok);
    f.platform->answer(A::Ok);
    QTest::keyClick(w.SourceFolderList, Qt::Key_Insert);
    insert(w, f.dir(u"E/2"_s));
    QCOMPARE(messageTexts(*f.platform),
             (QStringList{u"Error|"_s + gone + u"  doesn't exist.|Ok|None"_s,
                          u"Drive Error|Drive "_s + f.dir(u"F"_s) + u" not ready.|Ok|Critical"_s}));
    QCOMPARE(listed(f, w), u"0 1 2| 4.50 kB"_s);
    QCOMPARE(w.TargetFolderList->path(), f.system + u'/');
    QCOMPARE(f.m->TargetDrive->mountPoint(), f.system);
}

// Folders dropped from the file manager go in in their order, through the checks of Insert; a
// file dropped with them is passed over.
void TestSourceList::dropFolders()
{
    MainFormFixture f;
    MainForm& w = start(f, {100, 200, 0});
    f.dir.create({u"E/Box/CD1/a.mp3"_s});
    QMimeData dragged;
    QList<QUrl> urls;
    for (const QString& dropped : {u"1"_s, u"0/01.mp3"_s, u"0/"_s, u"2"_s, u"Box"_s, u"1"_s})
        urls.append(QUrl::fromLocalFile(f.dir(u"E/"_s + dropped)));
    dragged.setUrls(urls);
    // The drag comes in first: the drop goes where the drag was taken.
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &dragged, Qt::LeftButton, {});
    QCoreApplication::sendEvent(w.SourceList->viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &dragged, Qt::LeftButton, {}, QEvent::Drop);
    for (A answer : {A::Ok, A::Ok, A::Yes})
        f.platform->answer(answer);
    QCoreApplication::sendEvent(w.SourceList->viewport(), &drop);

    QVERIFY(drop.isAccepted());
    QCOMPARE(listed(f, w), u"1 0 1|  500 B "_s);
    QCOMPARE(messageTexts(*f.platform),
             (QStringList{u"Empty Folder|"_s + f.dir(u"E/2"_s) +
                              u" is empty and will not be copied !|Ok|Information"_s,
                          u"Empty Folder|"_s + f.dir(u"E/Box"_s) +
                              u" does not contain any mp3-files and will not be copied "
                              u"!|Ok|Information"_s,
                          u"Duplicate folder|The folder  "_s + f.dir(u"E/1"_s) +
                              u"  already exists.\n\nDo you want to copy it anyway "
                              u"?|YesNo|Question"_s}));

    // A click on the entry already selected is a click as well.
    w.SourceList->setCurrentRow(1);
    w.RemoveSourceFolder->setEnabled(false);
    QTest::mouseClick(w.SourceList->viewport(), Qt::LeftButton, {}, centreOf(w, 1));
    QVERIFY(w.RemoveSourceFolder->isEnabled());
}

QTEST_MAIN(TestSourceList)
#include "tst_sourcelist.moc"
