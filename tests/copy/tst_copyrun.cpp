#include "support/MainFormFixture.h"
#include "support/MessageText.h"

#include "copy/ActionForm.h"
#include "platform/DirListBox.h"
#include "platform/DriveListBox.h"
#include "savedlists/SourceListFile.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <fcntl.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

// Birth time of a file or folder in nanoseconds, or -1 when the file system does not keep it.
qint64 birth(const QString& path)
{
    struct statx st {};
    if (statx(AT_FDCWD, QFile::encodeName(path).constData(), AT_SYMLINK_NOFOLLOW, STATX_BTIME,
              &st) != 0 ||
        !(st.stx_mask & STATX_BTIME))
        return -1;
    return qint64(st.stx_btime.tv_sec) * 1000000000 + st.stx_btime.tv_nsec;
}

QByteArray contentOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList itemsOf(const QListWidget* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items.append(list->item(i)->text());
    return items;
}

} // namespace

class TestCopyRun : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }

    void foldersCopiedInListOrderWithPrefix();
    void sameNameFolderIsFilledAgain();
    void questionsStopTheRun_data();
    void questionsStopTheRun();
    void cancelInTheSecondOfFiveFolders();
    void missingFoldersAreReported_data();
    void missingFoldersAreReported();
    void fullDiskStopsTheRun();
    void otherFailureIsReported();
    void logsTakeTheNextFreeName();
    void logThatCannotBeCreatedStopsTheRun();

private:
    // Music on the system drive, a stick E with an "Out" folder open in the target pane.
    struct Setup {
        MainFormFixture f;
        QString stick;
        MainForm* w = nullptr;
    };
    static void prepare(Setup& s, const QStringList& albums, const QString& target = u"E"_s);
    static QString album(Setup& s, const QString& name);
};

void TestCopyRun::prepare(Setup& s, const QStringList& albums, const QString& target)
{
    s.stick = s.f.addDrive(u"E"_s, true, u"STICK"_s);
    for (const QString& name : albums) {
        const QString folder = u"C/Music/"_s + name + u'/';
        s.f.dir.file(folder + u"Track 10.mp3"_s, "ten " + name.toUtf8());
        s.f.dir.file(folder + u"Track 2.mp3"_s, "two " + name.toUtf8());
        s.f.dir.file(folder + u"b.MP3"_s, "b " + name.toUtf8());
        s.f.dir.file(folder + u"cover.jpg"_s);
        s.f.dir.file(folder + u"Extra/hidden.mp3"_s);
    }
    s.f.store(u"SourcePath"_s, s.f.dir(u"C/Music"_s));
    s.f.store(u"TargetPath"_s, s.f.dir(target));
    s.w = &s.f.start();
    for (const QString& name : albums)
        s.w->SourceList->addItem(album(s, name));
}

QString TestCopyRun::album(Setup& s, const QString& name)
{
    return s.f.dir(u"C/Music/"_s + name);
}

void TestCopyRun::foldersCopiedInListOrderWithPrefix()
{
    Setup s;
    s.f.dir.mkdir(u"E/03_Old"_s);
    prepare(s, {u"Gamma"_s, u"Alpha"_s, u"Beta"_s});
    s.w->Menu_AddFolderPrefix->setChecked(true);
    s.f.platform->answer(Platform::Answer::Ok);
    s.w->CopyFolders_Click();

    QCOMPARE(messageTexts(*s.f.platform),
             QStringList{u"Copy Folders|Confirm copying of 3 folders to "_s + s.stick +
                         u"/.|OkCancel|Question"_s});

    const QStringList made{s.f.dir(u"E/04_Gamma"_s), s.f.dir(u"E/05_Alpha"_s),
                           s.f.dir(u"E/06_Beta"_s)};
    const QStringList files{u"b.MP3"_s, u"Track 2.mp3"_s, u"Track 10.mp3"_s};
    for (const QString& folder : made) {
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
                 (QStringList{u"Track 10.mp3"_s, u"Track 2.mp3"_s, u"b.MP3"_s}));
        const QString name = folder.mid(folder.lastIndexOf(u'_') + 1);
        QCOMPARE(contentOf(folder + u"/Track 2.mp3"_s), "two " + name.toUtf8());
    }
    QCOMPARE(s.w->SourceList->count(), 0);
    QCOMPARE(itemsOf(s.w->TargetList), QStringList{s.f.dir(u"E/03_Old"_s)} + made);
    QVERIFY(!s.w->CopyFolders->isEnabled());
    QVERIFY(!s.w->CopyFolders->isHidden());
    QVERIFY(s.w->ProgressBar1->isHidden());
    QVERIFY(s.w->centralWidget()->isEnabled());
    QVERIFY(!s.w->findChild<ActionForm*>());
    QCOMPARE(s.w->Label_NumberOfFiles[1]->text(), u"9"_s);

    // Each folder is made and filled before the next one is begun, its files in name order.
    QList<qint64> order;
    for (const QString& folder : made) {
        order.append(birth(folder));
        for (const QString& file : files)
            order.append(birth(folder + u'/' + file));
    }
    if (order.contains(-1))
        QSKIP("the file system keeps no birth times");
    for (int i = 1; i < order.size(); ++i)
        QVERIFY2(order[i - 1] <= order[i], qPrintable(QString::number(i)));
}

void TestCopyRun::sameNameFolderIsFilledAgain()
{
    Setup s;
    s.f.dir.file(u"E/Alpha/Track 2.mp3"_s, "old");
    s.f.dir.file(u"E/Alpha/keep.txt"_s, "keep");
    prepare(s, {u"Alpha"_s});
    s.f.platform->answer(Platform::Answer::Ok); // confirmation
    s.f.platform->answer(Platform::Answer::Ok); // same name
    s.w->CopyFolders_Click();

    QCOMPARE(
        messageTexts(*s.f.platform).value(1),
        u"Duplicate folder|Target folder   Alpha   already exists !\nIf you continue the "
        u"content of the source folder will be added to the target folder and files with  "
        u"the same name will be overwritten.\n\nDo you want to continue ?|OkCancel|Question"_s);
    QCOMPARE(contentOf(s.f.dir(u"E/Alpha/Track 2.mp3"_s)), "two Alpha");
    QCOMPARE(contentOf(s.f.dir(u"E/Alpha/keep.txt"_s)), "keep");
    QVERIFY(QFileInfo::exists(s.f.dir(u"E/Alpha/Track 10.mp3"_s)));
    QCOMPARE(itemsOf(s.w->TargetList), QStringList{s.f.dir(u"E/Alpha"_s)});
}

void TestCopyRun::questionsStopTheRun_data()
{
    QTest::addColumn<bool>("fixedTarget");
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");

    QTest::newRow("fixed drive, English")
        << true << false << u"Fixed Drive"_s
        << u"You have chosen to copy folders to a non removable disk.\n\nDo you really wish to "
           u"continue ?"_s;
    QTest::newRow("confirmation, Swedish")
        << false << true << u"Kopiera Foldrar"_s
        << u"Bekräfta kopiering av 2 foldrar till %1/Out/.\n\nNotera att målfoldern inte är "
           u"diskens rotfolder !"_s;
}

void TestCopyRun::questionsStopTheRun()
{
    QFETCH(bool, fixedTarget);
    QFETCH(bool, swedish);
    QFETCH(QString, title);
    QFETCH(QString, text);

    Setup s;
    s.f.dir.mkdir(u"E/Out"_s);
    s.f.dir.mkdir(u"C/Out"_s);
    s.f.store(u"Swedish"_s, swedish ? u"1"_s : u"0"_s);
    prepare(s, {u"Alpha"_s, u"Beta"_s}, fixedTarget ? u"C/Out"_s : u"E/Out"_s);
    s.f.platform->answer(fixedTarget ? Platform::Answer::No : Platform::Answer::Cancel);
    s.w->CopyFolders_Click();

    QCOMPARE(messageTexts(*s.f.platform),
             QStringList{title + u'|' + (fixedTarget ? text : text.arg(s.stick)) +
                         (fixedTarget ? u"|YesNo|Question"_s : u"|OkCancel|Question"_s)});
    QCOMPARE(s.w->SourceList->count(), 2);
    QVERIFY(QDir(s.f.dir(fixedTarget ? u"C/Out"_s : u"E/Out"_s)).isEmpty());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void TestCopyRun::cancelInTheSecondOfFiveFolders()
{
    Setup s;
    const QStringList names{u"A1"_s, u"A2"_s, u"A3"_s, u"A4"_s, u"A5"_s};
    prepare(s, names);
    s.w->Menu_UseLogFile->setChecked(true);
    s.w->TotalSize->setText(u" 1.00 kB"_s);
    s.f.m->SourceListSize = 1000;
    s.f.platform->answer(Platform::Answer::Ok);
    s.f.platform->answer(Platform::Answer::Ok); // the cancel message

    // Press Cancel as soon as the progress window names the second folder.
    QTimer presser;
    connect(&presser, &QTimer::timeout, this, [&] {
        auto* progress = s.w->findChild<ActionForm*>();
        if (progress && progress->Label1->text() == album(s, u"A2"_s) &&
            progress->Button_CancelCopy->isEnabled())
            QTest::mouseClick(progress->Button_CancelCopy, Qt::LeftButton);
    });
    presser.start(0);
    s.w->CopyFolders_Click();
    presser.stop();

    QCOMPARE(messageTexts(*s.f.platform).last(),
             u"Copying Canceled|The copying was canceled the last copied folder may not be "
             u"complete|Ok|None"_s);
    QCOMPARE(itemsOf(s.w->SourceList),
             (QStringList{album(s, u"A3"_s), album(s, u"A4"_s), album(s, u"A5"_s)}));
    QVERIFY(QFileInfo::exists(s.f.dir(u"E/A2"_s)));
    QVERIFY(!QFileInfo::exists(s.f.dir(u"E/A3"_s)));
    QCOMPARE(s.w->TotalSize->text(), QString());
    QCOMPARE(s.f.m->SourceListSize, 0.0);
    QVERIFY(!s.w->ClearSourceList->isEnabled());
    QVERIFY(!s.w->Menu_SaveCurrentSourceList->isEnabled());

    const QString log =
        s.w->DataFolder + u'/' + sourcelistfile::dateText(QDate::currentDate()) + u"_1.odr"_s;
    QCOMPARE(sourcelistfile::readLines(log),
             (QStringList{album(s, u"A1"_s), album(s, u"A2"_s), sourcelistfile::EndLine,
                          u"Number of mp3 files: "_s + s.w->Label_NumberOfFiles[1]->text(),
                          u"TotalSize: 1.00 kB"_s}));
    QFile::remove(log);
}

void TestCopyRun::missingFoldersAreReported_data()
{
    QTest::addColumn<QStringList>("missing");
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<QString>("text");

    QTest::newRow("one, English") << QStringList{u"B"_s} << false
                                  << u"\n%1/C/Music/B could not be found."_s;
    QTest::newRow("two, English")
        << QStringList{u"A"_s, u"B"_s} << false
        << u"The following folders could not be found:\n\n%1/C/Music/A\n%1/C/Music/B"_s;
}

void TestCopyRun::missingFoldersAreReported()
{
    QFETCH(QStringList, missing);
    QFETCH(bool, swedish);
    QFETCH(QString, text);

    Setup s;
    s.f.store(u"Swedish"_s, swedish ? u"1"_s : u"0"_s);
    prepare(s, {u"A"_s, u"B"_s, u"C"_s});
    s.w->Menu_AddFolderPrefix->setChecked(true);
    for (const QString& name : missing)
        QDir(album(s, name)).removeRecursively();
    s.f.platform->answer(Platform::Answer::Ok);
    s.f.platform->answer(Platform::Answer::Ok);
    s.w->CopyFolders_Click();

    QCOMPARE(messageTexts(*s.f.platform).last(),
             u"Error|"_s + text.arg(s.f.dir.path()) + u"|Ok|None"_s);
    QCOMPARE(s.w->SourceList->count(), 0);
    // A missing folder keeps its place in the numbering.
    QVERIFY(QFileInfo::exists(s.f.dir(u"E/02_C"_s)));
    QCOMPARE(QFileInfo::exists(s.f.dir(u"E/00_A"_s)), !missing.contains(u"A"_s));
    QVERIFY(!QFileInfo::exists(s.f.dir(u"E/01_B"_s)));
}

void TestCopyRun::fullDiskStopsTheRun()
{
    Setup s;
    const QString small = s.f.dir.mkdir(u"Small"_s);
    QProcess mount;
    mount.start(u"mount"_s, {u"-t"_s, u"tmpfs"_s, u"-o"_s, u"size=1m"_s, u"tmpfs"_s, small});
    if (!mount.waitForFinished() || mount.exitCode() != 0)
        QSKIP("this machine does not let the test mount a small tmpfs");
    auto unmount = qScopeGuard([&] { QProcess::execute(u"umount"_s, {small}); });

    s.f.dir.file(u"C/Music/Big/1.mp3"_s, QByteArray(400 << 10, 'a'));
    s.f.dir.file(u"C/Music/Big/2.mp3"_s, QByteArray(400 << 10, 'b'));
    s.f.dir.file(u"C/Music/Big/3.mp3"_s, QByteArray(400 << 10, 'c'));
    s.f.drives->add(small, true, u"TINY"_s);
    s.f.store(u"SourcePath"_s, s.f.dir(u"C/Music"_s));
    s.f.store(u"TargetPath"_s, small);
    MainForm& w = s.f.start();
    w.SourceList->addItem(s.f.dir(u"C/Music/Big"_s));
    s.f.platform->answer(Platform::Answer::Ok);
    s.f.platform->answer(Platform::Answer::Ok);
    w.CopyFolders_Click();

    QCOMPARE(messageTexts(*s.f.platform).last(),
             u"Drive Error|Drive "_s + small + u"  [TINY] is full.|Ok|Critical"_s);
    QVERIFY(QFileInfo::exists(small + u"/Big/1.mp3"_s));
    QVERIFY(QFileInfo::exists(small + u"/Big/2.mp3"_s));
    QVERIFY(!QFileInfo::exists(small + u"/Big/3.mp3"_s));
    QCOMPARE(itemsOf(w.SourceList), QStringList{s.f.dir(u"C/Music/Big"_s)});
    QVERIFY(w.centralWidget()->isEnabled());
    QVERIFY(!w.CopyFolders->isHidden());
}

void TestCopyRun::otherFailureIsReported()
{
    Setup s;
    s.f.dir.file(u"E/Alpha"_s, "a file where the folder would go");
    prepare(s, {u"Alpha"_s});
    s.f.platform->answer(Platform::Answer::Ok);
    s.f.platform->answer(Platform::Answer::Ok);
    s.w->CopyFolders_Click();

    const QString error = messageTexts(*s.f.platform).last();
    QVERIFY2(
        error.startsWith(u"Copy Error|Could not copy  "_s + s.f.dir(u"E/Alpha/b.MP3"_s) + u'\n') &&
            error.endsWith(u"|Ok|Critical"_s),
        qPrintable(error));
    QCOMPARE(s.w->SourceList->count(), 1);
    QVERIFY(s.w->centralWidget()->isEnabled());
}

void TestCopyRun::logsTakeTheNextFreeName()
{
    Setup s;
    prepare(s, {u"Alpha"_s});
    s.w->Menu_UseLogFile->setChecked(true);
    const QString stem =
        s.w->DataFolder + u'/' + sourcelistfile::dateText(QDate::currentDate()) + u'_';
    s.f.platform->answer(Platform::Answer::Ok);
    s.w->CopyFolders_Click();
    QVERIFY(QFileInfo::exists(stem + u"1.odr"_s));

    // A list saved in between takes number 2; the next log skips it.
    sourcelistfile::write(stem + u"2.odr"_s, {album(s, u"Alpha"_s)}, u"3"_s, u" 1.00 kB"_s);
    s.w->SourceList->addItem(album(s, u"Alpha"_s));
    s.f.platform->answer(Platform::Answer::Ok);
    s.f.platform->answer(Platform::Answer::Ok); // same name
    s.w->CopyFolders_Click();
    QCOMPARE(sourcelistfile::readEntries(stem + u"3.odr"_s), QStringList{album(s, u"Alpha"_s)});
    for (const char* n : {"1", "2", "3"})
        QFile::remove(stem + QString::fromLatin1(n) + u".odr"_s);
}

void TestCopyRun::logThatCannotBeCreatedStopsTheRun()
{
    Setup s;
    prepare(s, {u"Alpha"_s});
    s.w->Menu_UseLogFile->setChecked(true);
    s.w->DataFolder = s.f.dir(u"NoSuchFolder"_s);
    s.f.platform->answer(Platform::Answer::Ok);
    s.f.platform->answer(Platform::Answer::Ok);
    s.w->CopyFolders_Click();

    const QString error = messageTexts(*s.f.platform).last();
    QVERIFY2(error.startsWith(u"Copy Error|Could not create the copy log  "_s + s.w->DataFolder) &&
                 error.endsWith(u"\nNothing copied.|Ok|Critical"_s),
             qPrintable(error));
    QVERIFY(!QFileInfo::exists(s.f.dir(u"E/Alpha"_s)));
    QCOMPARE(s.w->SourceList->count(), 1);
    QVERIFY(!s.w->CopyFolders->isHidden());
    QVERIFY(s.w->ProgressBar1->isHidden());
}

QTEST_MAIN(TestCopyRun)
#include "tst_copyrun.moc"
