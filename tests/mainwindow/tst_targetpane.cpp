#include "support/MainWindowFixture.h"

#include "copy/CopyProgressWindow.h"
#include "platform/DirListBox.h"
#include "platform/DriveListBox.h"

#include <QApplication>
#include <QDirIterator>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;
using A = Platform::Answer;

namespace {

// Everything below folder, relative to it and sorted, in one line: folders end in "/", links
// in "@"; links are not followed.
QString treeOf(const QString& folder)
{
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info = it.nextFileInfo();
        const QString relative = QDir(folder).relativeFilePath(info.filePath());
        entries.append(relative + (info.isSymLink() ? u"@"_s : info.isDir() ? u"/"_s : u""_s));
    }
    entries.sort();
    return entries.join(u' ');
}

} // namespace

class TestTargetPane : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }
    void deletion_data();
    void deletion();
};

void TestTargetPane::deletion_data()
{
    QTest::addColumn<QString>("folder"); // opened in the target pane; its first subfolder selected
    QTest::addColumn<QString>("button");
    QTest::addColumn<A>("answer");     // to the question
    QTest::addColumn<QString>("kind"); // "read-only", "Swedish", "unmounted" or "fixed drive"
    QTest::addColumn<QString>("titles");
    QTest::addColumn<QString>("left"); // the tree of T afterwards; empty: as it was

    // Links lead to Elsewhere from T/Way, T/Albums and T/Albums/A; T/Inner is another drive.
    // Deleting never follows them; where it would have to, it stops as on write-protected
    // content. Subfolders go first, loose files after them.
    const QString rest = u"Inner/ Inner/keep.mp3 Way@ y.mp3"_s;
    const QString fromB = u"Albums/ Albums/B/ Albums/B/2.mp3 Albums/file.mp3@ Albums/loose.mp3 "_s;
    QTest::newRow("content only, read-only file in B")
        << u"T/Albums"_s << u"ClearTargetFolders"_s << A::No << u"read-only"_s
        << u"Remove folders; Remove folders"_s << fromB + rest;
    QTest::newRow("the folder itself, Swedish")
        << u"T/Albums"_s << u"ClearTargetFolders"_s << A::Yes << u"Swedish"_s
        << u"Ta bort foldrar"_s << rest;
    QTest::newRow("one folder") << u"T/Albums"_s << u"RemoveTargetFolder"_s << A::Yes << QString()
                                << u"Delete folder"_s << fromB + rest;
    QTest::newRow("Clear Disk, another drive inside")
        << u"T"_s << u"ClearTargetDrive"_s << A::Ok << QString() << u"Clear Disk; Remove folders"_s
        << rest;
    QTest::newRow("through a link") << u"T/Way"_s << u"ClearTargetFolders"_s << A::No << QString()
                                    << u"Remove folders; Remove folders"_s << QString();
    // A lost drive is reported once and the pane goes to the system drive.
    QTest::newRow("Clear Disk, unmounted") << u"T"_s << u"ClearTargetDrive"_s << A::Ok
                                           << u"unmounted"_s << u"Drive Error"_s << QString();
    QTest::newRow("one folder, unmounted")
        << u"T/Albums"_s << u"RemoveTargetFolder"_s << A::Yes << u"unmounted"_s
        << u"Delete folder; Error; Drive Error"_s << QString();
    QTest::newRow("fixed drive") << u"T/Albums"_s << QString() << A::Ok << u"fixed drive"_s
                                 << QString() << QString();
}

void TestTargetPane::deletion()
{
    QFETCH(QString, folder);
    QFETCH(QString, button);
    QFETCH(A, answer);
    QFETCH(QString, kind);
    QFETCH(QString, left);

    MainWindowFixture f;
    f.dir.create({u"Elsewhere/X/1.mp3"_s, u"Elsewhere/f.mp3"_s, u"T/Albums/A/1.mp3"_s,
                  u"T/Albums/B/2.mp3"_s, u"T/Albums/loose.mp3"_s, u"T/Inner/keep.mp3"_s,
                  u"T/y.mp3"_s});
    const QString elsewhere = f.dir(u"Elsewhere"_s);
    QVERIFY(QFile::link(elsewhere, f.dir(u"T/Way"_s)));
    QVERIFY(QFile::link(elsewhere, f.dir(u"T/Albums/A/folder"_s)));
    QVERIFY(QFile::link(elsewhere + u"/f.mp3"_s, f.dir(u"T/Albums/file.mp3"_s)));
    if (kind == u"read-only"_s)
        QVERIFY(QFile::setPermissions(f.dir(u"T/Albums/B/2.mp3"_s), QFile::ReadOwner));
    f.store(u"Swedish"_s, kind == u"Swedish"_s ? u"1"_s : u"0"_s);
    const QString drive = f.addDrive(u"T"_s, kind != u"fixed drive"_s);
    f.drives->add(f.dir(u"T/Inner"_s), false);
    f.store(u"TargetPath"_s, f.dir(folder));
    MainWindow& w = f.start();
    w.show();
    child<QListWidget>(w, u"TargetList"_s)->setCurrentRow(0);
    const QString tree = treeOf(drive);
    if (kind == u"unmounted"_s)
        f.drives->remove(drive);

    f.platform->answer({answer, A::Ok, A::Ok});
    if (kind == u"fixed drive"_s) {
        QTest::keyClick(child<QListWidget>(w, u"TargetList"_s), Qt::Key_Delete);
        for (const QString& name :
             {u"RemoveTargetFolder"_s, u"ClearTargetFolders"_s, u"ClearTargetDrive"_s}) {
            QVERIFY(!child<QPushButton>(w, name)->isEnabled());
            child<QPushButton>(w, name)->click();
        }
    } else {
        w.findChild<QPushButton*>(button)->click();
    }

    QStringList titles;
    for (const ScriptedPlatform::Message& m : f.platform->messages())
        titles.append(m.title);
    QTEST(titles.join(u"; "_s), "titles");
    // The question names the folder or drive.
    if (!titles.isEmpty() && kind != u"unmounted"_s)
        QVERIFY(f.platform->messages().first().text.contains(f.dir(folder)));
    QCOMPARE(treeOf(drive), left.isEmpty() ? tree : left);
    QCOMPARE(treeOf(elsewhere), u"X/ X/1.mp3 f.mp3"_s);
    if (kind == u"unmounted"_s)
        QCOMPARE(child<DirListBox>(w, u"TargetFolderList"_s)->path(), f.system + u'/');
    else if (titles.size() == 1)
        QCOMPARE(child<QListWidget>(w, u"TargetList"_s)->count(),
                 QDir(child<DirListBox>(w, u"TargetFolderList"_s)->path())
                     .entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks)
                     .size());
    QVERIFY(!w.findChild<CopyProgressWindow*>() && w.centralWidget()->isEnabled() &&
            w.menuBar()->isEnabled());
    QVERIFY(!QApplication::overrideCursor());
}

QTEST_MAIN(TestTargetPane)
#include "tst_targetpane.moc"
