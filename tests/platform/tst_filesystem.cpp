#include "platform/FileSystem.h"
#include "platform/FsError.h"
#include "platform/Paths.h"
#include "support/TestDir.h"
#include "support/TestDrives.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 mib = 1024 * 1024;

bool exists(const QString& path)
{
    struct stat st {};
    return ::lstat(paths::toNative(path).constData(), &st) == 0;
}

bool link(const QString& target, const QString& linkPath)
{
    return ::symlink(paths::toNative(target).constData(), paths::toNative(linkPath).constData()) ==
           0;
}

void setWriteBit(const QString& path, bool on)
{
    struct stat st {};
    const QByteArray name = paths::toNative(path);
    if (::stat(name.constData(), &st) == 0)
        ::chmod(name.constData(),
                on ? st.st_mode | S_IWUSR : st.st_mode & ~(S_IWUSR | S_IWGRP | S_IWOTH));
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

// Which entries of root are gone and which are still there after an operation.
void checkEntries(const QString& root, const QStringList& gone, const QStringList& kept)
{
    for (const QString& entry : gone)
        QVERIFY2(!exists(root + u'/' + entry), qPrintable(entry));
    for (const QString& entry : kept)
        QVERIFY2(exists(root + u'/' + entry), qPrintable(entry));
}

} // namespace

class TestFileSystem : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void folderSizeAndDeletionLeaveLinkTargets_data();
    void folderSizeAndDeletionLeaveLinkTargets();
    void deletionStopsAtReadOnlyEntry_data();
    void deletionStopsAtReadOnlyEntry();
};

void TestFileSystem::folderSizeAndDeletionLeaveLinkTargets_data()
{
    QTest::addColumn<QStringList>("entries"); // "name:size" files, "name/" folders
    QTest::addColumn<qint64>("expected");

    QTest::newRow("empty folder") << QStringList() << qint64(0);
    QTest::newRow("nested tree") << QStringList{u"cover.jpg:4096"_s,
                                                u".hidden:3"_s,
                                                u"CD1/01.mp3:1234567"_s,
                                                u"CD2/extra/notes.txt:17"_s,
                                                u"CD2/empty.txt:0"_s,
                                                u"CD3/empty/"_s,
                                                paths::fromNative("Bj\xf6rk/L\xe5t.mp3:5")}
                                 << qint64(4096 + 3 + 1234567 + 17 + 5);
}

// Links are neither counted nor followed: deleting a folder takes the links, not their targets,
// and deleting a link to a folder takes only the link.
void TestFileSystem::folderSizeAndDeletionLeaveLinkTargets()
{
    QFETCH(QStringList, entries);
    QFETCH(qint64, expected);

    TestDir dir;
    dir.mkdir(u"Album"_s);
    for (const QString& entry : entries) {
        if (entry.endsWith(u'/'))
            dir.mkdir(u"Album/"_s + entry);
        else
            dir.file(u"Album/"_s + entry.section(u':', 0, 0),
                     QByteArray(entry.section(u':', 1).toInt(), 'x'));
    }
    dir.file(u"outside/big.bin"_s, QByteArray(mib, 'b'));
    dir.file(u"outside/sub/keep.mp3"_s);
    QVERIFY(link(dir(u"outside/big.bin"_s), dir(u"Album/big link"_s)));
    QVERIFY(link(dir(u"outside"_s), dir(u"Album/folder link"_s)));
    QVERIFY(link(dir(u"not there"_s), dir(u"Album/dangling link"_s)));
    QVERIFY(link(dir(u"outside"_s), dir(u"alias"_s)));

    TestDrives drives;
    const FileSystem fs(drives);
    QCOMPARE(fs.folderSize(dir(u"Album"_s)), expected);
    fs.deleteFolder(dir(u"Album"_s));
    fs.deleteFolder(dir(u"alias"_s));
    checkEntries(dir.path(), {u"Album"_s, u"alias"_s},
                 {u"outside/big.bin"_s, u"outside/sub/keep.mp3"_s});
}

void TestFileSystem::deletionStopsAtReadOnlyEntry_data()
{
    QTest::addColumn<bool>("byPattern"); // deleting "*.mp3" files rather than the folder
    QTest::addColumn<QString>("readOnly");
    QTest::addColumn<QString>("gone"); // entries, separated by commas
    QTest::addColumn<QString>("kept");

    const QString fromB = u"b/2.mp3,c/3.mp3,d.mp3,e.mp3,f.mp3"_s;
    QTest::newRow("file in second subfolder") << false << u"b/2.mp3"_s << u"a"_s << fromB;
    QTest::newRow("second subfolder") << false << u"b"_s << u"a"_s << fromB;
    QTest::newRow("the folder itself") << false << QString() << QString() << u"a/1.mp3,"_s + fromB;
    QTest::newRow("files by pattern")
        << true << u"e.mp3"_s << u"d.mp3"_s << u"a/1.mp3,e.mp3,f.mp3"_s;
}

void TestFileSystem::deletionStopsAtReadOnlyEntry()
{
    QFETCH(bool, byPattern);
    QFETCH(QString, readOnly);
    QFETCH(QString, gone);
    QFETCH(QString, kept);

    TestDir dir;
    const QString album = dir.mkdir(u"Album"_s);
    dir.create({u"Album/a/1.mp3"_s, u"Album/b/2.mp3"_s, u"Album/c/3.mp3"_s, u"Album/d.mp3"_s,
                u"Album/e.mp3"_s, u"Album/f.mp3"_s});
    const QString readOnlyPath = readOnly.isEmpty() ? album : album + u'/' + readOnly;
    setWriteBit(readOnlyPath, false);
    const auto restore = qScopeGuard([&] { setWriteBit(readOnlyPath, true); });

    TestDrives drives;
    const FileSystem fs(drives);
    const auto error = errorOf([&] {
        if (byPattern)
            fs.deleteFiles(album, u"*.mp3"_s);
        else
            fs.deleteFolder(album);
    });
    QVERIFY(error);
    QCOMPARE(error->kind(), FsErrorKind::PathFileAccess);
    QCOMPARE(error->number(), 75);
    QCOMPARE(error->path(), readOnlyPath);
    checkEntries(album, gone.split(u',', Qt::SkipEmptyParts), kept.split(u','));
}

QTEST_GUILESS_MAIN(TestFileSystem)
#include "tst_filesystem.moc"
