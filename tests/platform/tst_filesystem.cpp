#include "platform/FileSystem.h"
#include "platform/FsError.h"
#include "platform/Paths.h"
#include "support/TestDir.h"
#include "support/TestDrives.h"

#include <QFile>
#include <QScopeGuard>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

bool exists(const QString& path)
{
    struct stat st {};
    return ::lstat(paths::toNative(path).constData(), &st) == 0;
}

void setWriteBit(const QString& path, bool on)
{
    struct stat st {};
    const QByteArray name = paths::toNative(path);
    if (::stat(name.constData(), &st) == 0)
        ::chmod(name.constData(),
                on ? st.st_mode | S_IWUSR : st.st_mode & ~(S_IWUSR | S_IWGRP | S_IWOTH));
}

} // namespace

class TestFileSystem : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void folderSizeAndDeletionLeaveLinkTargets();
    void deletionStopsAtReadOnlyEntry_data();
    void deletionStopsAtReadOnlyEntry();
};

// Links are neither counted nor followed: deleting a folder takes the links, not their targets,
// and deleting a link to a folder takes only the link.
void TestFileSystem::folderSizeAndDeletionLeaveLinkTargets()
{
    TestDir dir;
    dir.file(u"Album/cover.jpg"_s, QByteArray(4096, 'x'));
    dir.file(u"Album/CD1/01.mp3"_s, QByteArray(1234567, 'x'));
    dir.file(u"Album/CD2/extra/.notes"_s, QByteArray(17, 'x'));
    dir.file(u"Album/CD2/empty.txt"_s, {});
    dir.mkdir(u"Album/CD3/empty"_s);
    dir.file(paths::fromNative("Album/Bj\xf6rk/L\xe5t.mp3"), QByteArray(5, 'x'));
    dir.file(u"outside/big.bin"_s, QByteArray(1024 * 1024, 'b'));
    dir.file(u"outside/sub/keep.mp3"_s);
    QVERIFY(QFile::link(dir(u"outside/big.bin"_s), dir(u"Album/big link"_s)));
    QVERIFY(QFile::link(dir(u"outside"_s), dir(u"Album/folder link"_s)));
    QVERIFY(QFile::link(dir(u"not there"_s), dir(u"Album/dangling link"_s)));
    QVERIFY(QFile::link(dir(u"outside"_s), dir(u"alias"_s)));

    TestDrives drives;
    const FileSystem fs(drives);
    QCOMPARE(fs.folderSize(dir(u"Album"_s)), qint64(4096 + 1234567 + 17 + 5));
    fs.deleteFolder(dir(u"Album"_s));
    fs.deleteFolder(dir(u"alias"_s));
    QVERIFY(!exists(dir(u"Album"_s)) && !exists(dir(u"alias"_s)));
    QVERIFY(exists(dir(u"outside/big.bin"_s)) && exists(dir(u"outside/sub/keep.mp3"_s)));
}

void TestFileSystem::deletionStopsAtReadOnlyEntry_data()
{
    QTest::addColumn<bool>("byPattern"); // deleting "*.mp3" files rather than the folder
    QTest::addColumn<QString>("readOnly");
    QTest::addColumn<QString>("gone"); // entries, separated by commas
    QTest::addColumn<QString>("kept");

    const QString fromB = u"b/2.mp3,c/3.mp3,d.mp3,e.mp3,f.mp3"_s;
    QTest::newRow("file in second subfolder") << false << u"b/2.mp3"_s << u"a"_s << fromB;
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
    try {
        if (byPattern)
            fs.deleteFiles(album, u"*.mp3"_s);
        else
            fs.deleteFolder(album);
        QFAIL("a read-only entry was deleted");
    } catch (const FsError& e) {
        QCOMPARE(e.kind(), FsErrorKind::PathFileAccess);
        QCOMPARE(e.number(), 75);
        QCOMPARE(e.path(), readOnlyPath);
    }
    for (const QString& entry : gone.split(u',', Qt::SkipEmptyParts))
        QVERIFY2(!exists(album + u'/' + entry), qPrintable(entry));
    for (const QString& entry : kept.split(u','))
        QVERIFY2(exists(album + u'/' + entry), qPrintable(entry));
}

QTEST_GUILESS_MAIN(TestFileSystem)
#include "tst_filesystem.moc"
