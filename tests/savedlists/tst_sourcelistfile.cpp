#include "platform/Paths.h"
#include "savedlists/SourceListFile.h"
#include "support/TestDir.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestSourceListFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void foldersKeepTheirBytes();
};

// A folder whose name is not UTF-8 reads back with its bytes from a saved list (copy logs are
// written alike), and the lists of older programs read as before.
void TestSourceListFile::foldersKeepTheirBytes()
{
    TestDir dir;
    const QStringList entries{paths::fromNative("/media/usb/Bj\xf6rk 100%"), u"/home/u/Åsa"_s,
                              paths::fromNative("/home/u/\xef\xbb\xbf\xff line\nbreak")};
    sourcelistfile::write(dir(u"list.odr"_s), entries, u"3"_s, u"3 MB"_s);
    QCOMPARE(sourcelistfile::readEntries(dir(u"list.odr"_s)), entries);
    dir.file(u"old.odr"_s, "C:\\Musik\\Bj\xf6rk \x80\r\nend\r\n");
    QCOMPARE(sourcelistfile::readEntries(dir(u"old.odr"_s)), QStringList{u"C:\\Musik\\Björk €"_s});
}

QTEST_GUILESS_MAIN(TestSourceListFile)
#include "tst_sourcelistfile.moc"
