#include "copy/Transfer.h"
#include "platform/Folders.h"
#include "platform/FsError.h"
#include "platform/Paths.h"
#include "support/TestDir.h"
#include "support/TestMount.h"

#include <QFile>
#include <QTest>

#include <future>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 mib = 1024 * 1024;

QByteArray sampleData(qint64 size, int seed = 0)
{
    QByteArray data(size, Qt::Uninitialized);
    for (qint64 i = 0; i < size; ++i)
        data[i] = static_cast<char>((i * 7 + i / 251 + seed) & 0xff);
    return data;
}

} // namespace

class TestTransfer : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void namesKeepTheirBytes();
    void runNeverOverwritesItsOwnFiles();
    void failedFileIsNotLeft_data();
    void failedFileIsNotLeft();
    void exfatThroughFuse_data();
    void exfatThroughFuse();
    void exfatThroughFuseKeepsTheOrder();
    void writebackFailureRemovesUnconfirmedFiles();
    void folderCopiedWhenItsFlushReturned_data();
    void folderCopiedWhenItsFlushReturned();
    void manyFilesUnderTheDescriptorLimit();
};

// Names that are not UTF-8, or start with a byte-order mark, are matched, copied and written
// byte for byte.
void TestTransfer::namesKeepTheirBytes()
{
    TestDir dir;
    const QList<QByteArray> names{"01 Intro.mp3", "02 Bj\xf6rk.mp3",
                                  "\xEF\xBB\xBF"
                                  "03 Outro.mp3",
                                  "03 Outro.mp3"};
    for (int i = 0; i < names.size(); ++i)
        dir.file(u"from/"_s + paths::fromNative(names[i]), "song " + QByteArray::number(i));
    dir.file(u"from/cover.jpg"_s);
    dir.file(paths::fromNative("only/Bj\xf6rk.MP3"));
    dir.mkdir(u"to"_s);
    QCOMPARE(folders::files(dir(u"only"_s), u"*.mp3"_s).size(), 1);

    const QStringList files = folders::files(dir(u"from"_s), u"*.mp3"_s);
    QCOMPARE(files.size(), names.size());
    transfer::Target(dir(u"to"_s), dir(u"to"_s), false).copyFolder(dir(u"from"_s), u"A"_s, files);
    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(contentOf(dir(u"to/A/"_s + paths::fromNative(names[i]))),
                 "song " + QByteArray::number(i));
    QCOMPARE(entriesOf(dir(u"to/A"_s)), entriesOf(dir(u"from"_s)).remove(u"cover.jpg "_s));
}

// A name this run wrote gets the next " (n)"; a file that was there before is replaced.
void TestTransfer::runNeverOverwritesItsOwnFiles()
{
    TestDir dir;
    dir.file(u"one/a.mp3"_s, "one a");
    dir.file(u"one/b.mp3"_s, "one b");
    dir.file(u"two/a.mp3"_s, "two a");
    dir.file(u"to/A/b.mp3"_s, "old b");
    transfer::Target target(dir(u"to"_s), dir(u"to"_s), false);
    target.copyFolder(dir(u"one"_s), u"A"_s, {u"a.mp3"_s, u"b.mp3"_s});
    target.copyFolder(dir(u"two"_s), u"A"_s, {u"a.mp3"_s});
    QCOMPARE(entriesOf(dir(u"to/A"_s)), u"a (2).mp3 a.mp3 b.mp3"_s);
    QCOMPARE(contentOf(dir(u"to/A/a.mp3"_s)), "one a");
    QCOMPARE(contentOf(dir(u"to/A/a (2).mp3"_s)), "two a");
    QCOMPARE(contentOf(dir(u"to/A/b.mp3"_s)), "one b");
}

void TestTransfer::failedFileIsNotLeft_data()
{
    QTest::addColumn<QString>("file");      // the source file
    QTest::addColumn<bool>("stopInChunks"); // a failure between chunks
    QTest::addColumn<int>("number");        // of the error
    QTest::addColumn<QString>("errorPath");

    QTest::newRow("missing source") << u"missing.mp3"_s << false << 76 << u"from/missing.mp3"_s;
    QTest::newRow("onto itself through a link")
        << u"song.mp3"_s << false << 5 << u"to/A/song.mp3"_s;
    QTest::newRow("stopped between chunks") << u"song.mp3"_s << true << 68 << u"to/A/song.mp3"_s;
    QTest::newRow("a link is not a file") << u"link.mp3"_s << false << 5 << u"from/link.mp3"_s;
    QTest::newRow("a pipe is not a file") << u"pipe.mp3"_s << false << 5 << u"from/pipe.mp3"_s;
}

void TestTransfer::failedFileIsNotLeft()
{
    QFETCH(QString, file);
    QFETCH(bool, stopInChunks);
    QFETCH(int, number);
    QFETCH(QString, errorPath);

    TestDir dir;
    const QByteArray content = sampleData(3 * mib / 2);
    dir.file(u"from/song.mp3"_s, content);
    dir.file(u"from/first.mp3"_s, "first");
    dir.mkdir(u"to/A"_s);
    QCOMPARE(::symlink("song.mp3", paths::toNative(dir(u"from/link.mp3"_s)).constData()), 0);
    QCOMPARE(::mkfifo(paths::toNative(dir(u"from/pipe.mp3"_s)).constData(), 0644), 0);
    if (!stopInChunks && file == u"song.mp3")
        QCOMPARE(::symlink(paths::toNative(dir(u"from/song.mp3"_s)).constData(),
                           paths::toNative(dir(u"to/A/song.mp3"_s)).constData()),
                 0);

    transfer::Target target(dir(u"to"_s), dir(u"to"_s), false);
    transfer::Steps steps;
    int chunks = 0;
    if (stopInChunks)
        steps.betweenChunks = [&] {
            if (++chunks > 1) // in song.mp3, after first.mp3
                throw FsError(FsErrorKind::DeviceUnavailable, dir(errorPath));
        };
    try {
        target.copyFolder(dir(u"from"_s), u"A"_s, {u"first.mp3"_s, file}, steps);
        QFAIL("the copy did not fail");
    } catch (const FsError& error) {
        QCOMPARE(error.number(), number);
        QCOMPARE(error.path(), dir(errorPath));
    }
    QCOMPARE(contentOf(dir(u"from/song.mp3"_s)), content);
    QCOMPARE(contentOf(dir(u"to/A/first.mp3"_s)), QByteArray("first"));
    const bool linkStays = !stopInChunks && file == u"song.mp3";
    QCOMPARE(entriesOf(dir(u"to/A"_s)), linkStays ? u"first.mp3 song.mp3"_s : u"first.mp3"_s);
}

void TestTransfer::exfatThroughFuse_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("fatRules");   // as the mount table's type "fuseblk" gives them
    QTest::addColumn<QString>("written"); // the folder's name on the stick

    QTest::newRow("fuseblk follows FAT rules") << u"Live: Vol 1"_s << true << u"Live_ Vol 1"_s;
    QTest::newRow("refused name found out") << u"Live: Vol 1"_s << false << u"Live_ Vol 1"_s;
    QTest::newRow("case-only pair found out") << u"Live"_s << false << u"Live"_s;
}

// exfat-fuse mounts as "fuseblk", answers ENOENT for a name it refuses and finds names without
// regard to case.
void TestTransfer::exfatThroughFuse()
{
    QFETCH(QString, folder);
    QFETCH(bool, fatRules);
    QFETCH(QString, written);

    TestDir dir;
    const QString image = dir(u"exfat.img"_s);
    const QString stick = dir.mkdir(u"stick"_s);
    if (!makeImage(image, 16 * mib, u"mkfs.exfat"_s))
        QSKIP("mkfs.exfat cannot make an exFAT image here");
    // The FUSE driver mounts block devices only: a loop device that goes with the mount.
    const TestMount mount({u"-t"_s, u"exfat-fuse"_s, u"-o"_s, u"loop"_s, image, stick});
    if (!mount.isMounted())
        QSKIP("exfat-fuse cannot mount here (needs root, a loop device and FUSE)");

    dir.file(u"from/A.mp3"_s, "upper");
    dir.file(u"from/a.mp3"_s, "lower");
    transfer::Target target(stick, stick, fatRules);
    QCOMPARE(target.copyFolder(dir(u"from"_s), folder, {u"A.mp3"_s, u"a.mp3"_s}), written);
    QCOMPARE(entriesOf(stick), written);
    const QString album = stick + u'/' + written;
    QCOMPARE(entriesOf(album), u"A.mp3 a (2).mp3"_s);
    QCOMPARE(contentOf(album + u"/A.mp3"_s), "upper");
    QCOMPARE(contentOf(album + u"/a (2).mp3"_s), "lower");
}

// exfat-fuse puts a new entry into a gap a deleted one left, and lists the entries made since it
// mounted first, so the stored order shows only after the next mount.
void TestTransfer::exfatThroughFuseKeepsTheOrder()
{
    TestDir dir;
    const QString image = dir(u"exfat.img"_s);
    const QString stick = dir.mkdir(u"stick"_s);
    if (!makeImage(image, 16 * mib, u"mkfs.exfat"_s))
        QSKIP("mkfs.exfat cannot make an exFAT image here");
    const QStringList mountArguments{u"-t"_s, u"exfat-fuse"_s, u"-o"_s, u"loop"_s, image, stick};
    {
        const TestMount mount(mountArguments);
        if (!mount.isMounted())
            QSKIP("exfat-fuse cannot mount here (needs root, a loop device and FUSE)");
        for (const char* name : {"01_Old", "02_Gone with a long name", "03_Kept"})
            QVERIFY(QDir(stick).mkdir(QString::fromLatin1(name)));
        QVERIFY(QDir(stick).rmdir(u"02_Gone with a long name"_s));
    }
    dir.file(u"from/1.mp3"_s, "one");
    dir.file(u"from/2.mp3"_s, "two");
    const QStringList files{u"2.mp3"_s, u"1.mp3"_s};
    {
        const TestMount mount(mountArguments);
        transfer::Target target(stick, stick, true);
        // Each folder is created and filled while the flush of the one before runs.
        target.copyFolder(dir(u"from"_s), u"04_Ay"_s, files);
        target.copyFolder(dir(u"from"_s), u"05_Bee"_s, files);
        target.finish();
    }
    const TestMount mount(mountArguments);
    const auto stored = [](const QString& folder) {
        return QDir(folder).entryList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot,
                                      QDir::Unsorted);
    };
    QCOMPARE(stored(stick), (QStringList{u"01_Old"_s, u"03_Kept"_s, u"04_Ay"_s, u"05_Bee"_s}));
    QCOMPARE(stored(stick + u"/04_Ay"_s), files);
    QCOMPARE(stored(stick + u"/05_Bee"_s), files);
}

// A volume whose device fails during writeback: a loop device over a small tmpfs. The error
// names the first file whose data did not reach the medium; it and every later file are gone.
void TestTransfer::writebackFailureRemovesUnconfirmedFiles()
{
    TestDir dir;
    const QString backing = dir.mkdir(u"backing"_s);
    const QString volume = dir.mkdir(u"volume"_s);
    const TestMount tmpfs({u"-t"_s, u"tmpfs"_s, u"-o"_s, u"size=4m"_s, u"tmpfs"_s, backing});
    if (!tmpfs.isMounted())
        QSKIP("cannot mount a tmpfs here (needs root)");
    const QString image = backing + u"/volume.img"_s;
    if (!makeImage(image, 32 * mib, u"mkfs.ext2"_s))
        QSKIP("cannot make an ext2 image here");
    const TestMount ext2({u"-o"_s, u"loop"_s, image, volume});
    if (!ext2.isMounted())
        QSKIP("cannot mount the image through a loop device here");

    QStringList files;
    for (int i = 1; i <= 8; ++i) {
        files.append(u"%1.mp3"_s.arg(i, 2, 10, QChar(u'0')));
        dir.file(u"from/"_s + files.last(), sampleData(mib / 2, i));
    }
    transfer::Target target(volume, volume, false);
    QString named;
    try {
        target.copyFolder(dir(u"from"_s), u"A"_s, files);
        target.copyFolder(dir(u"from"_s), u"B"_s, files);
        target.finish();
    } catch (const FsError& error) {
        named = error.path();
    }
    const qsizetype failed = files.indexOf(paths::folderName(named));
    QVERIFY2(failed >= 0, qPrintable(u"the error named "_s + named));
    QCOMPARE(named, volume + u"/A/"_s + files[failed]);
    QCOMPARE(entriesOf(volume + u"/A"_s), QStringList(files.first(failed)).join(u' '));
    // B, filled while the flush of A ran, keeps what reached the medium, and neither is copied.
    const QString inB = entriesOf(volume + u"/B"_s);
    QCOMPARE(inB, QStringList(files.first(inB.count(u' ') + !inB.isEmpty())).join(u' '));
    QCOMPARE(target.takeCopied(), QStringList());
}

void TestTransfer::folderCopiedWhenItsFlushReturned_data()
{
    QTest::addColumn<bool>("fails"); // the flush of the first folder

    QTest::newRow("flushed") << false;
    QTest::newRow("flush failed") << true;
}

// The flush of A is held until B is being filled; A counts as copied only once it returned, and
// a failed flush is reported by a later call, with neither folder copied.
void TestTransfer::folderCopiedWhenItsFlushReturned()
{
    QFETCH(bool, fails);

    TestDir dir;
    dir.file(u"from/1.mp3"_s, "one");
    dir.file(u"from/2.mp3"_s, "two");
    const QStringList files{u"1.mp3"_s, u"2.mp3"_s};
    transfer::Target target(dir.mkdir(u"to"_s), dir(u"to"_s), false);
    std::promise<void> release;
    transfer::Steps holding;
    holding.beforeFlush = [&, held = release.get_future().share()] {
        held.wait();
        if (fails)
            throw FsError(FsErrorKind::DeviceUnavailable, dir(u"to/A/2.mp3"_s));
    };
    target.copyFolder(dir(u"from"_s), u"A"_s, files, holding);
    QCOMPARE(target.takeCopied(), QStringList());

    transfer::Steps releasing;
    QStringList copiedWhileHeld{u"not asked"_s};
    releasing.afterFile = [&](int j) {
        if (j == 0) {
            copiedWhileHeld = target.takeCopied();
            release.set_value();
        }
        return true;
    };
    QString named;
    try {
        target.copyFolder(dir(u"from"_s), u"B"_s, files, releasing);
        target.finish();
        QCOMPARE(target.takeCopied(), (QStringList{u"A"_s, u"B"_s}));
    } catch (const FsError& error) {
        named = error.path();
    }
    QCOMPARE(copiedWhileHeld, QStringList());
    QCOMPARE(named, fails ? dir(u"to/A/2.mp3"_s) : QString());
    QCOMPARE(target.takeCopied(), QStringList());
    QCOMPARE(entriesOf(dir(u"to/B"_s)), u"1.mp3 2.mp3"_s);
}

// Pending files hold no more descriptors than a few, whatever the limit.
void TestTransfer::manyFilesUnderTheDescriptorLimit()
{
    rlimit saved{};
    QCOMPARE(::getrlimit(RLIMIT_NOFILE, &saved), 0);
    rlimit reduced = saved;
    reduced.rlim_cur = std::min<rlim_t>(saved.rlim_cur, 1024);
    QCOMPARE(::setrlimit(RLIMIT_NOFILE, &reduced), 0);

    TestDir dir;
    QStringList files;
    for (int i = 0; i < 1100; ++i) {
        files.append(QString::number(i) + u".mp3"_s);
        dir.file(u"from/"_s + files.last(), QByteArray(16 * 1024, 'x'));
    }
    dir.mkdir(u"to"_s);
    QString error;
    try {
        transfer::Target(dir(u"to"_s), dir(u"to"_s), false)
            .copyFolder(dir(u"from"_s), u"A"_s, files);
    } catch (const FsError& e) {
        error = QString::fromUtf8(e.what());
    }
    ::setrlimit(RLIMIT_NOFILE, &saved);
    QCOMPARE(error, QString());
    QCOMPARE(folders::files(dir(u"to/A"_s), u"*"_s).size(), files.size());
}

QTEST_GUILESS_MAIN(TestTransfer)
#include "tst_transfer.moc"
