#include "platform/Drives.h"
#include "platform/Paths.h"

#include <QTest>

#include <algorithm>
#include <random>

using namespace Qt::StringLiterals;

namespace {

// The first place where less is not a strict total order over names: irreflexive, asymmetric,
// transitive, and deciding every pair of different names one way. Empty when there is none.
QString orderViolation(const QStringList& names)
{
    for (const QString& a : names) {
        if (paths::naturalLess(a, a))
            return a + u" < itself"_s;
        for (const QString& b : names) {
            if (a == b)
                continue;
            if (paths::naturalLess(a, b) == paths::naturalLess(b, a))
                return a + u" and "_s + b + u" are not ordered one way"_s;
            for (const QString& c : names) {
                if (paths::naturalLess(a, b) && paths::naturalLess(b, c) &&
                    !paths::naturalLess(a, c))
                    return a + u" < "_s + b + u" < "_s + c + u" but not "_s + a + u" < "_s + c;
            }
        }
    }
    return {};
}

int sign(int n)
{
    return n < 0 ? -1 : (n > 0 ? 1 : 0);
}

QStringList shuffled(QStringList names, unsigned seed)
{
    std::mt19937 random(seed);
    std::shuffle(names.begin(), names.end(), random);
    return names;
}

} // namespace

class TestPaths : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void isRoot_data();
    void isRoot();

    void join_data();
    void join();

    void folderName_data();
    void folderName();

    void cutAfterLastSlash_data();
    void cutAfterLastSlash();

    void normalized_data();
    void normalized();

    void naturalOrder_data();
    void naturalOrder();

    void tiesGoByTheExactText_data();
    void tiesGoByTheExactText();

    void sortNaturally_data();
    void sortNaturally();

    void naturalOrderIsStrict_data();
    void naturalOrderIsStrict();

    void driveText_data();
    void driveText();

    void mountPointOfDriveText_data();
    void mountPointOfDriveText();

    void rootOf_data();
    void rootOf();

    void volumeOf_data();
    void volumeOf();
};

void TestPaths::isRoot_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("root");

    QTest::newRow("system root") << u"/"_s << true;
    QTest::newRow("drive root") << u"/media/usb/"_s << true;
    QTest::newRow("mount point without slash") << u"/media/usb"_s << false;
    QTest::newRow("folder") << u"/media/usb/Music"_s << false;
    QTest::newRow("empty") << QString() << false;
}

void TestPaths::isRoot()
{
    QFETCH(QString, folder);
    QFETCH(bool, root);

    QCOMPARE(paths::isRoot(folder), root);
}

void TestPaths::join_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("joined");

    QTest::newRow("system root") << u"/"_s << u"home"_s << u"/home"_s;
    QTest::newRow("drive root") << u"/media/usb/"_s << u"Music"_s << u"/media/usb/Music"_s;
    QTest::newRow("folder") << u"/media/usb/Music"_s << u"Album"_s << u"/media/usb/Music/Album"_s;
    QTest::newRow("name with blanks")
        << u"/media/usb/Music"_s << u"CD 2"_s << u"/media/usb/Music/CD 2"_s;
}

void TestPaths::join()
{
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QFETCH(QString, joined);

    QCOMPARE(paths::join(folder, name), joined);
}

void TestPaths::folderName_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");

    QTest::newRow("folder") << u"/media/usb/Music"_s << u"Music"_s;
    QTest::newRow("file") << u"/media/usb/Music/a song.mp3"_s << u"a song.mp3"_s;
    QTest::newRow("first level") << u"/home"_s << u"home"_s;
    QTest::newRow("drive root") << u"/media/usb/"_s << QString();
    QTest::newRow("no slash") << u"Music"_s << u"Music"_s;
}

void TestPaths::folderName()
{
    QFETCH(QString, path);
    QFETCH(QString, name);

    QCOMPARE(paths::folderName(path), name);
}

void TestPaths::cutAfterLastSlash_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("cut");

    QTest::newRow("folder on a drive") << u"/media/usb/Music"_s << u"/media/usb/"_s;
    QTest::newRow("second level") << u"/media/usb/Music/Album"_s << u"/media/usb/Music/"_s;
    QTest::newRow("first level") << u"/home"_s << u"/"_s;
    QTest::newRow("trailing slash") << u"/media/usb/"_s << u"/media/usb/"_s;
    QTest::newRow("no slash") << u"Music"_s << QString();
}

void TestPaths::cutAfterLastSlash()
{
    QFETCH(QString, path);
    QFETCH(QString, cut);

    QCOMPARE(paths::cutAfterLastSlash(path), cut);
}

void TestPaths::normalized_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("mountPoint");
    QTest::addColumn<QString>("normal");

    QTest::newRow("folder") << u"/media/usb/Music"_s << u"/media/usb"_s << u"/media/usb/Music"_s;
    QTest::newRow("folder with slash")
        << u"/media/usb/Music/"_s << u"/media/usb"_s << u"/media/usb/Music"_s;
    QTest::newRow("folder with two slashes")
        << u"/media/usb/Music//"_s << u"/media/usb"_s << u"/media/usb/Music"_s;
    QTest::newRow("mount point") << u"/media/usb"_s << u"/media/usb"_s << u"/media/usb/"_s;
    QTest::newRow("mount point with slash")
        << u"/media/usb/"_s << u"/media/usb"_s << u"/media/usb/"_s;
    QTest::newRow("mount point with two slashes")
        << u"/media/usb//"_s << u"/media/usb"_s << u"/media/usb/"_s;
    QTest::newRow("system root") << u"/"_s << u"/"_s << u"/"_s;
    QTest::newRow("system root twice") << u"//"_s << u"/"_s << u"/"_s;
    QTest::newRow("folder on the system drive") << u"/home/user/"_s << u"/"_s << u"/home/user"_s;
}

void TestPaths::normalized()
{
    QFETCH(QString, folder);
    QFETCH(QString, mountPoint);
    QFETCH(QString, normal);

    QCOMPARE(paths::normalized(folder, mountPoint), normal);
}

void TestPaths::naturalOrder_data()
{
    // order: the sign of the comparison; -1 when a comes first, 1 when b does, 0 for the same
    // name.
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("order");

    QTest::newRow("numbers by value") << u"Track 2"_s << u"Track 10"_s << -1;
    QTest::newRow("numbers by value, longer first") << u"Track 10"_s << u"Track 9"_s << 1;
    QTest::newRow("numbers of the same length") << u"Track 3"_s << u"Track 5"_s << -1;
    QTest::newRow("numbers of the same length, larger first")
        << u"Track 19"_s << u"Track 12"_s << 1;
    QTest::newRow("letter case ignored") << u"a.mp3"_s << u"B.mp3"_s << -1;
    QTest::newRow("letter case ignored, upper first") << u"A.mp3"_s << u"b.mp3"_s << -1;
    QTest::newRow("number before case") << u"track 9"_s << u"Track 10"_s << -1;
    QTest::newRow("leading zeros by value") << u"01"_s << u"2"_s << -1;
    QTest::newRow("leading zeros by value, longer") << u"010"_s << u"9"_s << 1;
    QTest::newRow("leading zeros weigh less than what follows") << u"x01b"_s << u"x1a"_s << 1;
    QTest::newRow("digits before letters") << u"1"_s << u"a"_s << -1;
    QTest::newRow("digits before capitals") << u"Track 10"_s << u"Track A"_s << -1;
    QTest::newRow("shorter first") << u"Track"_s << u"Track 1"_s << -1;
    QTest::newRow("several numbers") << u"CD 1 Track 10"_s << u"CD 1 Track 9"_s << 1;
    QTest::newRow("accented letter case ignored") << u"Öl 2"_s << u"öl 10"_s << -1;
    QTest::newRow("accented capital against small") << u"Ärm"_s << u"äpple"_s << 1;
    QTest::newRow("accented letters in the middle") << u"Påse"_s << u"pÅte"_s << -1;
    QTest::newRow("é case ignored") << u"Émile 9"_s << u"émile 10"_s << -1;
    QTest::newRow("empty first") << QString() << u"a"_s << -1;
    QTest::newRow("empty before a digit") << QString() << u"0"_s << -1;
    QTest::newRow("empty before a blank") << QString() << u" "_s << -1;
    QTest::newRow("both empty") << QString() << QString() << 0;
    QTest::newRow("same name") << u"Track 1"_s << u"Track 1"_s << 0;
    QTest::newRow("digits of other scripts sort as letters") << u"Track ３"_s << u"Track 5"_s << 1;
}

void TestPaths::naturalOrder()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, order);

    QCOMPARE(sign(paths::naturalCompare(a, b)), order);
    QCOMPARE(sign(paths::naturalCompare(b, a)), -order);
    QCOMPARE(paths::naturalLess(a, b), order < 0);
    QCOMPARE(paths::naturalLess(b, a), order > 0);
}

void TestPaths::tiesGoByTheExactText_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");

    QTest::newRow("letter case") << u"A"_s << u"a"_s;
    QTest::newRow("letter case in a name") << u"track.mp3"_s << u"Track.mp3"_s;
    QTest::newRow("accented letter case") << u"Å"_s << u"å"_s;
    QTest::newRow("leading zero") << u"01"_s << u"1"_s;
    QTest::newRow("leading zeros in a name") << u"Track 1"_s << u"Track 001"_s;
    QTest::newRow("zero and zeros") << u"0"_s << u"00"_s;
}

// Names that differ only in letter case or leading zeros still have one fixed order: the
// exact text's.
void TestPaths::tiesGoByTheExactText()
{
    QFETCH(QString, a);
    QFETCH(QString, b);

    const int exact = a.compare(b) < 0 ? -1 : 1;
    QCOMPARE(sign(paths::naturalCompare(a, b)), exact);
    QCOMPARE(sign(paths::naturalCompare(b, a)), -exact);
    QCOMPARE(paths::naturalLess(a, b), exact < 0);
    QCOMPARE(paths::naturalLess(b, a), exact > 0);
}

void TestPaths::sortNaturally_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("sorted");

    QTest::newRow("tracks") << QStringList{u"Track 10"_s, u"Track 1"_s, u"Track 2"_s}
                            << QStringList{u"Track 1"_s, u"Track 2"_s, u"Track 10"_s};
    QTest::newRow("files") << QStringList{u"c.mp3"_s, u"B.mp3"_s, u"a.mp3"_s}
                           << QStringList{u"a.mp3"_s, u"B.mp3"_s, u"c.mp3"_s};
    QTest::newRow("discs") << QStringList{u"CD 10"_s, u"cd 1"_s, u"Album"_s, u"CD 2"_s}
                           << QStringList{u"Album"_s, u"cd 1"_s, u"CD 2"_s, u"CD 10"_s};
    QTest::newRow("empty name") << QStringList{u"b"_s, QString(), u"a"_s}
                                << QStringList{QString(), u"a"_s, u"b"_s};
    QTest::newRow("empty list") << QStringList() << QStringList();
}

void TestPaths::sortNaturally()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, sorted);

    paths::sortNaturally(names);
    QCOMPARE(names, sorted);
}

void TestPaths::naturalOrderIsStrict_data()
{
    QTest::addColumn<QStringList>("names");

    QTest::newRow("a music collection") << QStringList{
        u"Track 1"_s, u"track 1"_s, u"Track 01"_s, u"Track 2"_s,  u"Track 10"_s, u"Track 010"_s,
        u"A"_s,       u"a"_s,       u"a.mp3"_s,    u"B.mp3"_s,    u"b.MP3"_s,    u"01"_s,
        u"1"_s,       u"001"_s,     u"ärm"_s,      u"Ärm"_s,      u"Öl"_s,       u"émile"_s,
        u"Émile"_s,   QString(),    u"-live"_s,    u"CD 2 (1)"_s, u"CD 10"_s};
    QTest::newRow("digits of other scripts")
        << QStringList{u"Track ٣"_s, u"Track 10"_s, u"Track z"_s, u"Track 5"_s};
}

// Sorting needs a strict weak order; with ties broken by the exact text, different names never
// tie, so any two shuffles of the same names sort alike.
void TestPaths::naturalOrderIsStrict()
{
    QFETCH(QStringList, names);

    const QString violation = orderViolation(names);
    QVERIFY2(violation.isEmpty(), qPrintable(violation));

    QStringList first = shuffled(names, 1);
    QStringList second = shuffled(names, 2);
    paths::sortNaturally(first);
    paths::sortNaturally(second);
    QCOMPARE(first, second);
    QVERIFY(std::is_sorted(first.cbegin(), first.cend(), paths::naturalLess));
}

void TestPaths::driveText_data()
{
    QTest::addColumn<QString>("mountPoint");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");

    QTest::newRow("with label") << u"/media/usb"_s << u"MUSIC"_s << u"/media/usb  [MUSIC]"_s;
    QTest::newRow("without label") << u"/media/usb"_s << QString() << u"/media/usb"_s;
    QTest::newRow("system drive") << u"/"_s << QString() << u"/"_s;
    QTest::newRow("label with blanks")
        << u"/media/disk"_s << u"MY DISK"_s << u"/media/disk  [MY DISK]"_s;
}

void TestPaths::driveText()
{
    QFETCH(QString, mountPoint);
    QFETCH(QString, label);
    QFETCH(QString, text);

    QCOMPARE(drives::driveText(Volume{mountPoint, label, true}), text);
}

void TestPaths::mountPointOfDriveText_data()
{
    QTest::addColumn<QString>("mountPoint");
    QTest::addColumn<QString>("label");

    QTest::newRow("with label") << u"/media/usb"_s << u"MUSIC"_s;
    QTest::newRow("without label") << u"/media/usb"_s << QString();
    QTest::newRow("system drive") << u"/"_s << QString();
    QTest::newRow("label with blanks") << u"/media/disk"_s << u"MY DISK"_s;
    QTest::newRow("label in brackets") << u"/media/usb"_s << u"[X]"_s;
    QTest::newRow("mount point with brackets") << u"/media/usb [1]"_s << QString();
    QTest::newRow("mount point with brackets and label") << u"/media/usb [1]"_s << u"MUSIC"_s;
    QTest::newRow("mount point with an open bracket") << u"/media/[usb"_s << u"MUSIC"_s;
}

void TestPaths::mountPointOfDriveText()
{
    QFETCH(QString, mountPoint);
    QFETCH(QString, label);

    QCOMPARE(drives::mountPointOfDriveText(drives::driveText(Volume{mountPoint, label, false})),
             mountPoint);
}

void TestPaths::rootOf_data()
{
    QTest::addColumn<QString>("mountPoint");
    QTest::addColumn<QString>("root");

    QTest::newRow("system drive") << u"/"_s << u"/"_s;
    QTest::newRow("removable drive") << u"/media/usb"_s << u"/media/usb/"_s;
    QTest::newRow("mount point with blanks") << u"/media/my disk"_s << u"/media/my disk/"_s;
}

void TestPaths::rootOf()
{
    QFETCH(QString, mountPoint);
    QFETCH(QString, root);

    QCOMPARE(drives::rootOf(mountPoint), root);
}

void TestPaths::volumeOf_data()
{
    QTest::addColumn<QStringList>("mountPoints");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("volume"); // mount point; empty for none

    const QStringList table{u"/"_s, u"/media/usb"_s, u"/media/usb2"_s, u"/media/usb/inner"_s};
    QTest::newRow("folder on a drive") << table << u"/media/usb/Music"_s << u"/media/usb"_s;
    QTest::newRow("the mount point") << table << u"/media/usb"_s << u"/media/usb"_s;
    QTest::newRow("the drive root") << table << u"/media/usb/"_s << u"/media/usb"_s;
    QTest::newRow("similar name is another drive")
        << table << u"/media/usb2/Music"_s << u"/media/usb2"_s;
    QTest::newRow("similar mount point") << table << u"/media/usb2"_s << u"/media/usb2"_s;
    QTest::newRow("longest prefix wins")
        << table << u"/media/usb/inner/Music"_s << u"/media/usb/inner"_s;
    QTest::newRow("name prefix is no folder prefix")
        << table << u"/media/usbstick/Music"_s << u"/"_s;
    QTest::newRow("system drive") << table << u"/home/user"_s << u"/"_s;
    QTest::newRow("system root") << table << u"/"_s << u"/"_s;
    QTest::newRow("no system drive")
        << QStringList{u"/media/usb"_s, u"/media/usb2"_s} << u"/home/user"_s << QString();
    QTest::newRow("no drives") << QStringList() << u"/media/usb"_s << QString();
}

void TestPaths::volumeOf()
{
    QFETCH(QStringList, mountPoints);
    QFETCH(QString, path);
    QFETCH(QString, volume);

    QList<Volume> volumes;
    for (const QString& m : std::as_const(mountPoints))
        volumes.append(Volume{m, m.toUpper(), false});

    for (int pass = 0; pass < 2; ++pass) {
        const std::optional<Volume> found = drives::volumeOf(volumes, path);
        if (volume.isEmpty()) {
            QVERIFY(!found);
        } else {
            QVERIFY(found);
            QCOMPARE(found->mountPoint, volume);
            QCOMPARE(found->label, volume.toUpper());
        }
        std::reverse(volumes.begin(), volumes.end());
    }
}

QTEST_GUILESS_MAIN(TestPaths)
#include "tst_paths.moc"
