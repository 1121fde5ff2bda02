#include "platform/FileSystem.h"
#include "platform/FsError.h"
#include "support/TestDir.h"
#include "support/TestDrives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(FsErrorKind)

namespace {

QByteArray sampleData(qint64 size)
{
    QByteArray data(size, Qt::Uninitialized);
    for (qint64 i = 0; i < size; ++i)
        data[i] = static_cast<char>((i * 7 + i / 251) & 0xff);
    return data;
}

QByteArray contentOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool exists(const QString& path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

bool link(const QString& target, const QString& linkPath)
{
    return ::symlink(QFile::encodeName(target).constData(),
                     QFile::encodeName(linkPath).constData()) == 0;
}

bool removeWriteBits(const QString& path)
{
    struct stat st {};
    const QByteArray name = QFile::encodeName(path);
    return ::stat(name.constData(), &st) == 0 &&
           ::chmod(name.constData(), st.st_mode & ~(S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

void restoreWriteBit(const QString& path)
{
    struct stat st {};
    const QByteArray name = QFile::encodeName(path);
    if (::stat(name.constData(), &st) == 0)
        ::chmod(name.constData(), st.st_mode | S_IWUSR);
}

// Runs the call and hands back the FsError it throws; none when it returns normally.
template <typename Call> std::optional<FsError> errorOf(Call call)
{
    try {
        call();
    } catch (const FsError& e) {
        return e;
    }
    return std::nullopt;
}

} // namespace

class TestFileSystem : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void folderSizeCountsFilesInAllSubfolders_data();
    void folderSizeCountsFilesInAllSubfolders();
    void folderSizeDoesNotFollowLinks();
    void folderSizeOfMissingFolderThrows();

    void copyKeepsContentAndTime_data();
    void copyKeepsContentAndTime();
    void copyFailureLeavesNoDestination_data();
    void copyFailureLeavesNoDestination();
    void copyRunsBetweenChunksForEachChunk();
    void copyStoppedBetweenChunksLeavesNoDestination();
    void copyOntoItselfKeepsTheFile();
    void copyOntoFullDiskThrowsDiskFull();

    void deleteFolderRemovesTree_data();
    void deleteFolderRemovesTree();
    void deleteFolderStopsAtReadOnlyEntry_data();
    void deleteFolderStopsAtReadOnlyEntry();
    void deleteFolderRemovesLinksNotTheirTargets();
    void deleteFolderOfLinkRemovesOnlyTheLink();
    void deleteFolderOfMissingPathThrows();

    void deleteFilesTakesMatchingFiles_data();
    void deleteFilesTakesMatchingFiles();
    void deleteFilesStopsAtReadOnlyFile();
    void deleteFilesInMissingFolderThrows();

    void oddNamesAreCopiedAndDeleted_data();
    void oddNamesAreCopiedAndDeleted();

    void driveNameIsLongestMountPoint_data();
    void driveNameIsLongestMountPoint();
    void driveNameOfUnknownPathThrows();
    void driveGivesLiveFacts();
    void driveOfUnknownMountPointThrows();
};

void TestFileSystem::folderSizeCountsFilesInAllSubfolders_data()
{
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QList<int>>("sizes");
    QTest::addColumn<qint64>("expected");

    QTest::newRow("empty folder") << QStringList() << QStringList() << QList<int>() << qint64(0);
    QTest::newRow("empty subfolders")
        << QStringList{u"a"_s, u"a/b"_s, u"c"_s} << QStringList() << QList<int>() << qint64(0);
    QTest::newRow("loose files") << QStringList()
                                 << QStringList{u"1.mp3"_s, u"2.mp3"_s, u".hidden"_s}
                                 << QList<int>{100, 2000, 3} << qint64(2103);
    QTest::newRow("nested files") << QStringList{u"CD1"_s, u"CD2/extra"_s}
                                  << QStringList{u"cover.jpg"_s, u"CD1/01.mp3"_s, u"CD2/01.mp3"_s,
                                                 u"CD2/extra/notes.txt"_s, u"CD2/empty.txt"_s}
                                  << QList<int>{4096, 1234567, 7654321, 17, 0}
                                  << qint64(4096 + 1234567 + 7654321 + 17);
}

void TestFileSystem::folderSizeCountsFilesInAllSubfolders()
{
    QFETCH(QStringList, folders);
    QFETCH(QStringList, files);
    QFETCH(QList<int>, sizes);
    QFETCH(qint64, expected);

    TestDir dir;
    const QString root = dir.mkdir(u"Album"_s);
    for (const QString& folder : folders)
        dir.mkdir(u"Album/"_s + folder);
    for (qsizetype i = 0; i < files.size(); ++i)
        dir.file(u"Album/"_s + files[i], QByteArray(sizes[i], 'x'));

    TestDrives drives;
    QCOMPARE(FileSystem(drives).folderSize(root), expected);
}

void TestFileSystem::folderSizeDoesNotFollowLinks()
{
    TestDir dir;
    dir.file(u"outside/big.bin"_s, QByteArray(1024 * 1024, 'b'));
    dir.file(u"Album/01.mp3"_s, QByteArray(500, 'a'));
    QVERIFY(link(dir(u"outside/big.bin"_s), dir(u"Album/big link"_s)));
    QVERIFY(link(dir(u"outside"_s), dir(u"Album/folder link"_s)));

    TestDrives drives;
    QCOMPARE(FileSystem(drives).folderSize(dir(u"Album"_s)), qint64(500));
}

void TestFileSystem::folderSizeOfMissingFolderThrows()
{
    TestDir dir;
    TestDrives drives;
    const QString missing = dir(u"gone"_s);
    const auto error = errorOf([&] { FileSystem(drives).folderSize(missing); });
    QVERIFY(error);
    QCOMPARE(error->kind(), FsErrorKind::PathNotFound);
    QCOMPARE(error->path(), missing);
}

void TestFileSystem::copyKeepsContentAndTime_data()
{
    QTest::addColumn<qint64>("size");
    QTest::addColumn<bool>("destinationExists");

    const qint64 mib = 1024 * 1024;
    QTest::newRow("empty file") << qint64(0) << false;
    QTest::newRow("small file") << qint64(1000) << false;
    QTest::newRow("exactly one chunk") << mib << false;
    QTest::newRow("one chunk and a byte") << mib + 1 << false;
    QTest::newRow("several chunks") << 3 * mib + 17 << false;
    QTest::newRow("over a longer file") << qint64(1000) << true;
    QTest::newRow("over a shorter file") << 2 * mib << true;
}

void TestFileSystem::copyKeepsContentAndTime()
{
    QFETCH(qint64, size);
    QFETCH(bool, destinationExists);

    TestDir dir;
    const QByteArray content = sampleData(size);
    const QString source = dir.file(u"from/song.mp3"_s, content);
    const QString destination = dir.mkdir(u"to"_s) + u"/song.mp3"_s;
    if (destinationExists)
        dir.file(u"to/song.mp3"_s, QByteArray(1024 * 1024 + 5, 'o'));
    const timespec times[2] = {{1'500'000'000, 0}, {1'400'000'000, 123'456'789}};
    QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(source).constData(), times, 0), 0);

    TestDrives drives;
    FileSystem(drives).copyFile(source, destination);

    QCOMPARE(contentOf(destination), content);
    struct stat st {};
    QCOMPARE(::stat(QFile::encodeName(destination).constData(), &st), 0);
    QCOMPARE(st.st_mtim.tv_sec, times[1].tv_sec);
    QCOMPARE(st.st_mtim.tv_nsec, times[1].tv_nsec);
    QCOMPARE(contentOf(source), content);
}

void TestFileSystem::copyFailureLeavesNoDestination_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("destination");
    QTest::addColumn<FsErrorKind>("kind");
    QTest::addColumn<QString>("errorPath");

    QTest::newRow("missing source") << u"from/missing.mp3"_s << u"to/missing.mp3"_s
                                    << FsErrorKind::PathNotFound << u"from/missing.mp3"_s;
    QTest::newRow("missing destination folder")
        << u"from/song.mp3"_s << u"nowhere/song.mp3"_s << FsErrorKind::PathNotFound
        << u"nowhere/song.mp3"_s;
}

void TestFileSystem::copyFailureLeavesNoDestination()
{
    QFETCH(QString, source);
    QFETCH(QString, destination);
    QFETCH(FsErrorKind, kind);
    QFETCH(QString, errorPath);

    TestDir dir;
    dir.file(u"from/song.mp3"_s);
    dir.mkdir(u"to"_s);

    TestDrives drives;
    const auto error = errorOf([&] { FileSystem(drives).copyFile(dir(source), dir(destination)); });
    QVERIFY(error);
    QCOMPARE(error->kind(), kind);
    QCOMPARE(error->path(), dir(errorPath));
    QVERIFY(!exists(dir(destination)));
    QCOMPARE(QDir(dir(u"to"_s)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList());
}

void TestFileSystem::copyRunsBetweenChunksForEachChunk()
{
    TestDir dir;
    const QString source = dir.file(u"big.bin"_s, sampleData(4 * 1024 * 1024));
    int calls = 0;

    TestDrives drives;
    FileSystem(drives).copyFile(source, dir(u"copy.bin"_s), [&] { ++calls; });

    QVERIFY2(calls >= 2, qPrintable(QString::number(calls)));
}

void TestFileSystem::copyStoppedBetweenChunksLeavesNoDestination()
{
    TestDir dir;
    const QString source = dir.file(u"big.bin"_s, sampleData(3 * 1024 * 1024));
    const QString destination = dir(u"copy.bin"_s);

    TestDrives drives;
    const auto error = errorOf([&] {
        FileSystem(drives).copyFile(source, destination, [&] {
            throw FsError(FsErrorKind::DeviceUnavailable, destination);
        });
    });
    QVERIFY(error);
    QCOMPARE(error->kind(), FsErrorKind::DeviceUnavailable);
    QVERIFY(!exists(destination));
    QVERIFY(exists(source));
}

void TestFileSystem::copyOntoItselfKeepsTheFile()
{
    TestDir dir;
    const QByteArray content = sampleData(5000);
    const QString file = dir.file(u"song.mp3"_s, content);
    QVERIFY(link(file, dir(u"alias.mp3"_s)));

    TestDrives drives;
    const auto error = errorOf([&] { FileSystem(drives).copyFile(file, dir(u"alias.mp3"_s)); });
    QVERIFY(error);
    QCOMPARE(contentOf(file), content);
}

void TestFileSystem::copyOntoFullDiskThrowsDiskFull()
{
    TestDir dir;
    const QString source = dir.file(u"big.bin"_s, sampleData(2 * 1024 * 1024));
    const QString small = dir.mkdir(u"small"_s);

    QProcess mount;
    mount.start(u"mount"_s, {u"-t"_s, u"tmpfs"_s, u"-o"_s, u"size=1m"_s, u"tmpfs"_s, small});
    const bool mounted = mount.waitForFinished() && mount.exitStatus() == QProcess::NormalExit &&
                         mount.exitCode() == 0;
    if (!mounted) {
        const QString output = QString::fromLocal8Bit(mount.readAllStandardError()).trimmed();
        const QString reason = u"cannot mount a small tmpfs here: "_s +
                               (output.isEmpty() ? mount.errorString() : output);
        QSKIP(qPrintable(reason));
    }
    const auto unmount = qScopeGuard([&] { QProcess::execute(u"umount"_s, {small}); });

    const QString destination = small + u"/big.bin"_s;
    TestDrives drives;
    const auto error = errorOf([&] { FileSystem(drives).copyFile(source, destination); });
    QVERIFY(error);
    QCOMPARE(error->kind(), FsErrorKind::DiskFull);
    QCOMPARE(error->number(), 61);
    QCOMPARE(error->path(), destination);
    QVERIFY(!exists(destination));
}

void TestFileSystem::deleteFolderRemovesTree_data()
{
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("empty folder") << QStringList();
    QTest::newRow("loose files") << QStringList{u"1.mp3"_s, u"2.mp3"_s, u".hidden"_s};
    QTest::newRow("nested tree") << QStringList{u"CD1/01.mp3"_s, u"CD1/02.mp3"_s,
                                                u"CD2/deep/deeper/x.txt"_s, u"CD2/empty/"_s,
                                                u"cover.jpg"_s};
}

void TestFileSystem::deleteFolderRemovesTree()
{
    QFETCH(QStringList, entries);

    TestDir dir;
    const QString album = dir.mkdir(u"Album"_s);
    for (const QString& entry : entries)
        dir.create({u"Album/"_s + entry});
    dir.file(u"beside.txt"_s);

    TestDrives drives;
    FileSystem(drives).deleteFolder(album);

    QVERIFY(!exists(album));
    QVERIFY(exists(dir(u"beside.txt"_s)));
}

void TestFileSystem::deleteFolderStopsAtReadOnlyEntry_data()
{
    QTest::addColumn<QString>("readOnly");
    QTest::addColumn<QStringList>("gone");
    QTest::addColumn<QStringList>("kept");

    const QStringList all{u"a/1.mp3"_s, u"b/2.mp3"_s, u"c/3.mp3"_s, u"d.txt"_s, u"e.txt"_s};
    QTest::newRow("file in second subfolder")
        << u"b/2.mp3"_s << QStringList{u"a"_s}
        << QStringList{u"b/2.mp3"_s, u"c/3.mp3"_s, u"d.txt"_s, u"e.txt"_s};
    QTest::newRow("second subfolder")
        << u"b"_s << QStringList{u"a"_s}
        << QStringList{u"b/2.mp3"_s, u"c/3.mp3"_s, u"d.txt"_s, u"e.txt"_s};
    QTest::newRow("last loose file")
        << u"e.txt"_s << QStringList{u"a"_s, u"b"_s, u"c"_s, u"d.txt"_s} << QStringList{u"e.txt"_s};
    QTest::newRow("the folder itself") << QString() << QStringList() << all;
}

void TestFileSystem::deleteFolderStopsAtReadOnlyEntry()
{
    QFETCH(QString, readOnly);
    QFETCH(QStringList, gone);
    QFETCH(QStringList, kept);

    TestDir dir;
    const QString album = dir.mkdir(u"Album"_s);
    dir.create({u"Album/a/1.mp3"_s, u"Album/b/2.mp3"_s, u"Album/c/3.mp3"_s, u"Album/d.txt"_s,
                u"Album/e.txt"_s});
    const QString readOnlyPath = readOnly.isEmpty() ? album : album + u'/' + readOnly;
    QVERIFY(removeWriteBits(readOnlyPath));
    const auto restore = qScopeGuard([&] { restoreWriteBit(readOnlyPath); });

    TestDrives drives;
    const auto error = errorOf([&] { FileSystem(drives).deleteFolder(album); });
    QVERIFY(error);
    QCOMPARE(error->kind(), FsErrorKind::PathFileAccess);
    QCOMPARE(error->number(), 75);
    QCOMPARE(error->path(), readOnlyPath);
    for (const QString& entry : gone)
        QVERIFY2(!exists(album + u'/' + entry), qPrintable(entry));
    for (const QString& entry : kept)
        QVERIFY2(exists(album + u'/' + entry), qPrintable(entry));
}

void TestFileSystem::deleteFolderRemovesLinksNotTheirTargets()
{
    TestDir dir;
    dir.create({u"elsewhere/keep1.mp3"_s, u"elsewhere/sub/keep2.mp3"_s, u"lonely.txt"_s,
                u"Album/01.mp3"_s});
    QVERIFY(link(dir(u"elsewhere"_s), dir(u"Album/folder link"_s)));
    QVERIFY(link(dir(u"lonely.txt"_s), dir(u"Album/file link"_s)));
    QVERIFY(link(dir(u"not there"_s), dir(u"Album/dangling link"_s)));

    TestDrives drives;
    FileSystem(drives).deleteFolder(dir(u"Album"_s));

    QVERIFY(!exists(dir(u"Album"_s)));
    QVERIFY(exists(dir(u"elsewhere/keep1.mp3"_s)));
    QVERIFY(exists(dir(u"elsewhere/sub/keep2.mp3"_s)));
    QVERIFY(exists(dir(u"lonely.txt"_s)));
}

void TestFileSystem::deleteFolderOfLinkRemovesOnlyTheLink()
{
    TestDir dir;
    dir.create({u"real/01.mp3"_s, u"real/sub/02.mp3"_s});
    QVERIFY(link(dir(u"real"_s), dir(u"alias"_s)));

    TestDrives drives;
    FileSystem(drives).deleteFolder(dir(u"alias"_s));

    QVERIFY(!exists(dir(u"alias"_s)));
    QVERIFY(exists(dir(u"real/01.mp3"_s)));
    QVERIFY(exists(dir(u"real/sub/02.mp3"_s)));
}

void TestFileSystem::deleteFolderOfMissingPathThrows()
{
    TestDir dir;
    TestDrives drives;
    const auto error = errorOf([&] { FileSystem(drives).deleteFolder(dir(u"gone"_s)); });
    QVERIFY(error);
    QCOMPARE(error->kind(), FsErrorKind::PathNotFound);
    QCOMPARE(error->path(), dir(u"gone"_s));
}

void TestFileSystem::deleteFilesTakesMatchingFiles_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("gone");
    QTest::addColumn<QStringList>("kept");

    QTest::newRow("mp3 in any case")
        << u"*.mp3"_s << QStringList{u"a.mp3"_s, u"B.MP3"_s, u"link.mp3"_s}
        << QStringList{u"c.txt"_s, u"x.mp3/inner.mp3"_s, u"target.bin"_s};
    QTest::newRow("every file") << u"*"_s
                                << QStringList{u"a.mp3"_s, u"B.MP3"_s, u"c.txt"_s, u"link.mp3"_s,
                                               u"target.bin"_s}
                                << QStringList{u"x.mp3/inner.mp3"_s};
    QTest::newRow("one letter name") << u"?.txt"_s << QStringList{u"c.txt"_s}
                                     << QStringList{u"a.mp3"_s, u"B.MP3"_s, u"x.mp3/inner.mp3"_s};
    QTest::newRow("nothing matches")
        << u"*.flac"_s << QStringList() << QStringList{u"a.mp3"_s, u"B.MP3"_s, u"c.txt"_s};
}

void TestFileSystem::deleteFilesTakesMatchingFiles()
{
    QFETCH(QString, pattern);
    QFETCH(QStringList, gone);
    QFETCH(QStringList, kept);

    TestDir dir;
    dir.create({u"a.mp3"_s, u"B.MP3"_s, u"c.txt"_s, u"x.mp3/inner.mp3"_s, u"target.bin"_s});
    QVERIFY(link(dir(u"target.bin"_s), dir(u"link.mp3"_s)));

    TestDrives drives;
    FileSystem(drives).deleteFiles(dir.path(), pattern);

    for (const QString& entry : gone)
        QVERIFY2(!exists(dir(entry)), qPrintable(entry));
    for (const QString& entry : kept)
        QVERIFY2(exists(dir(entry)), qPrintable(entry));
}

void TestFileSystem::deleteFilesStopsAtReadOnlyFile()
{
    TestDir dir;
    dir.create({u"a.mp3"_s, u"b.mp3"_s, u"c.mp3"_s});
    QVERIFY(removeWriteBits(dir(u"b.mp3"_s)));

    TestDrives drives;
    const auto error = errorOf([&] { FileSystem(drives).deleteFiles(dir.path(), u"*.mp3"_s); });
    QVERIFY(error);
    QCOMPARE(error->kind(), FsErrorKind::PathFileAccess);
    QCOMPARE(error->path(), dir(u"b.mp3"_s));
    QVERIFY(!exists(dir(u"a.mp3"_s)));
    QVERIFY(exists(dir(u"b.mp3"_s)));
    QVERIFY(exists(dir(u"c.mp3"_s)));
}

void TestFileSystem::deleteFilesInMissingFolderThrows()
{
    TestDir dir;
    TestDrives drives;
    const auto error = errorOf([&] { FileSystem(drives).deleteFiles(dir(u"gone"_s), u"*.mp3"_s); });
    QVERIFY(error);
    QCOMPARE(error->kind(), FsErrorKind::PathNotFound);
}

void TestFileSystem::oddNamesAreCopiedAndDeleted_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("blanks") << u"  two  blanks .mp3"_s;
    QTest::newRow("quotes") << u"It's \"quoted\".mp3"_s;
    QTest::newRow("non-ASCII") << u"Årets låt – Mötley Crüe 日本.mp3"_s;
    QTest::newRow("leading dash") << u"-rf --help.mp3"_s;
    QTest::newRow("shell characters") << u"a;b&c|d$e`f*g?.mp3"_s;
    QTest::newRow("backslash and tab") << u"back\\slash\ttab.mp3"_s;
}

void TestFileSystem::oddNamesAreCopiedAndDeleted()
{
    QFETCH(QString, name);

    TestDir dir;
    const QByteArray content = sampleData(3000);
    const QString source = dir.file(u"from/"_s + name, content);
    const QString folder = dir.mkdir(u"to/"_s + name);
    const QString destination = folder + u'/' + name;

    TestDrives drives;
    const FileSystem fs(drives);
    fs.copyFile(source, destination);
    QCOMPARE(contentOf(destination), content);
    QCOMPARE(fs.folderSize(dir(u"to"_s)), qint64(content.size()));

    fs.deleteFiles(dir(u"from"_s), u"*.MP3"_s);
    QVERIFY(!exists(source));

    fs.deleteFolder(folder);
    QVERIFY(!exists(folder));
}

void TestFileSystem::driveNameIsLongestMountPoint_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("drive");

    QTest::newRow("the system drive itself") << QString() << QString();
    QTest::newRow("folder on the system drive") << u"home/music"_s << QString();
    QTest::newRow("a drive's mount point") << u"media"_s << u"media"_s;
    QTest::newRow("file on a drive") << u"media/song.mp3"_s << u"media"_s;
    QTest::newRow("drive inside a drive") << u"media/usb/Album/01.mp3"_s << u"media/usb"_s;
    QTest::newRow("name that only starts alike") << u"media/usbstick/x"_s << u"media"_s;
}

void TestFileSystem::driveNameIsLongestMountPoint()
{
    QFETCH(QString, path);
    QFETCH(QString, drive);

    TestDir dir;
    TestDrives drives;
    drives.addSystem(dir.path());
    drives.add(dir.mkdir(u"media"_s), false);
    drives.add(dir.mkdir(u"media/usb"_s), true, u"MUSIC"_s);

    QCOMPARE(FileSystem(drives).driveName(dir(path)), dir(drive));
}

void TestFileSystem::driveNameOfUnknownPathThrows()
{
    TestDir dir;
    TestDrives drives;
    drives.addSystem(dir.mkdir(u"system"_s));
    const QString unknown = dir(u"other/file.mp3"_s);

    const auto error = errorOf([&] { FileSystem(drives).driveName(unknown); });
    QVERIFY(error);
    QCOMPARE(error->kind(), FsErrorKind::PathNotFound);
    QCOMPARE(error->path(), unknown);
}

void TestFileSystem::driveGivesLiveFacts()
{
    TestDir dir;
    TestDrives drives;
    const QString usb = dir.mkdir(u"usb"_s);
    drives.addSystem(dir.mkdir(u"system"_s));
    drives.add(usb, true, u"STICK"_s);
    drives.setFreeSpace(usb, 123456789);
    const FileSystem fs(drives);

    const DriveInfo info = fs.drive(usb);
    QCOMPARE(info.mountPoint(), usb);
    QVERIFY(info.isRemovable());
    QVERIFY(info.isReady());
    QCOMPARE(info.freeSpace(), qint64(123456789));
    QVERIFY(!fs.drive(dir(u"system"_s)).isRemovable());

    drives.setReady(usb, false);
    QVERIFY(!info.isReady());
    auto error = errorOf([&] { info.freeSpace(); });
    QVERIFY(error);
    QCOMPARE(error->kind(), FsErrorKind::DeviceUnavailable);

    drives.remove(usb);
    error = errorOf([&] { info.isRemovable(); });
    QVERIFY(error);
    QCOMPARE(error->kind(), FsErrorKind::DeviceUnavailable);
    QCOMPARE(error->path(), usb);
}

void TestFileSystem::driveOfUnknownMountPointThrows()
{
    TestDir dir;
    TestDrives drives;
    drives.addSystem(dir.path());

    const auto error = errorOf([&] { FileSystem(drives).drive(dir(u"media"_s)); });
    QVERIFY(error);
    QCOMPARE(error->kind(), FsErrorKind::DeviceUnavailable);
    QCOMPARE(error->number(), 68);
}

QTEST_GUILESS_MAIN(TestFileSystem)
#include "tst_filesystem.moc"
