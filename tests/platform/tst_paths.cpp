#include "platform/Drives.h"
#include "platform/Paths.h"

#include <QTest>

#include <algorithm>
#include <functional>
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

using Rule = std::function<QString(const QString&, const QString&)>;

} // namespace

Q_DECLARE_METATYPE(Rule)

class TestPaths : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pathRules_data();
    void pathRules();
    void naturalOrder_data();
    void naturalOrder();
    void sortNaturally_data();
    void sortNaturally();
    void volumeOf_data();
    void volumeOf();
};

void TestPaths::pathRules_data()
{
    QTest::addColumn<Rule>("rule");
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("expected");

    const Rule isRoot = [](const QString& a, const QString&) {
        return paths::isRoot(a) ? u"root"_s : u"no root"_s;
    };
    const Rule join = [](const QString& a, const QString& b) {
        return paths::join(a, b);
    };
    const Rule name = [](const QString& a, const QString&) {
        return paths::folderName(a);
    };
    const Rule cut = [](const QString& a, const QString&) {
        return paths::cutAfterLastSlash(a);
    };
    const Rule normal = [](const QString& a, const QString& b) {
        return paths::normalized(a, b);
    };
    const Rule text = [](const QString& a, const QString& b) {
        return drives::driveText(Volume{a, b, true});
    };
    // The mount point read back from the drive text of mount point a with label b.
    const Rule readBack = [](const QString& a, const QString& b) {
        return drives::mountPointOfDriveText(drives::driveText(Volume{a, b, false}));
    };
    const Rule root = [](const QString& a, const QString&) {
        return drives::rootOf(a);
    };

    QTest::newRow("isRoot: system root") << isRoot << u"/"_s << QString() << u"root"_s;
    QTest::newRow("isRoot: drive root") << isRoot << u"/media/usb/"_s << QString() << u"root"_s;
    QTest::newRow("isRoot: mount point") << isRoot << u"/media/usb"_s << QString() << u"no root"_s;
    QTest::newRow("isRoot: empty") << isRoot << QString() << QString() << u"no root"_s;
    QTest::newRow("join: system root") << join << u"/"_s << u"home"_s << u"/home"_s;
    QTest::newRow("join: drive root")
        << join << u"/media/usb/"_s << u"CD 2"_s << u"/media/usb/CD 2"_s;
    QTest::newRow("join: folder") << join << u"/media/usb/Music"_s << u"Album"_s
                                  << u"/media/usb/Music/Album"_s;
    QTest::newRow("name: file") << name << u"/media/usb/Music/a song.mp3"_s << QString()
                                << u"a song.mp3"_s;
    QTest::newRow("name: first level") << name << u"/home"_s << QString() << u"home"_s;
    QTest::newRow("name: drive root") << name << u"/media/usb/"_s << QString() << QString();
    QTest::newRow("name: no slash") << name << u"Music"_s << QString() << u"Music"_s;
    QTest::newRow("cut: second level")
        << cut << u"/media/usb/Music/Album"_s << QString() << u"/media/usb/Music/"_s;
    QTest::newRow("cut: first level") << cut << u"/home"_s << QString() << u"/"_s;
    QTest::newRow("cut: trailing slash")
        << cut << u"/media/usb/"_s << QString() << u"/media/usb/"_s;
    QTest::newRow("cut: no slash") << cut << u"Music"_s << QString() << QString();
    QTest::newRow("normal: folder")
        << normal << u"/media/usb/Music"_s << u"/media/usb"_s << u"/media/usb/Music"_s;
    QTest::newRow("normal: folder with two slashes")
        << normal << u"/media/usb/Music//"_s << u"/media/usb"_s << u"/media/usb/Music"_s;
    QTest::newRow("normal: mount point")
        << normal << u"/media/usb"_s << u"/media/usb"_s << u"/media/usb/"_s;
    QTest::newRow("normal: mount point with two slashes")
        << normal << u"/media/usb//"_s << u"/media/usb"_s << u"/media/usb/"_s;
    QTest::newRow("normal: system root twice") << normal << u"//"_s << u"/"_s << u"/"_s;
    QTest::newRow("normal: folder on the system drive")
        << normal << u"/home/user/"_s << u"/"_s << u"/home/user"_s;
    QTest::newRow("driveText: label with blanks")
        << text << u"/media/disk"_s << u"MY DISK"_s << u"/media/disk  [MY DISK]"_s;
    QTest::newRow("driveText: without label")
        << text << u"/media/usb"_s << QString() << u"/media/usb"_s;
    QTest::newRow("driveText: system drive") << text << u"/"_s << QString() << u"/"_s;
    for (const auto& [mountPoint, label] :
         QList<std::pair<QString, QString>>{{u"/media/usb"_s, u"MUSIC"_s},
                                            {u"/"_s, QString()},
                                            {u"/media/usb"_s, u"[X]"_s},
                                            {u"/media/usb [1]"_s, QString()},
                                            {u"/media/usb [1]"_s, u"MUSIC"_s},
                                            {u"/media/[usb"_s, u"MUSIC"_s}})
        QTest::addRow("read back: %s [%s]", qPrintable(mountPoint), qPrintable(label))
            << readBack << mountPoint << label << mountPoint;
    QTest::newRow("rootOf: system drive") << root << u"/"_s << QString() << u"/"_s;
    QTest::newRow("rootOf: drive")
        << root << u"/media/my disk"_s << QString() << u"/media/my disk/"_s;
}

void TestPaths::pathRules()
{
    QFETCH(Rule, rule);
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QString, expected);

    QCOMPARE(rule(a, b), expected);
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
    QTest::newRow("numbers of the same length") << u"Track 19"_s << u"Track 12"_s << 1;
    QTest::newRow("letter case ignored") << u"a.mp3"_s << u"B.mp3"_s << -1;
    QTest::newRow("number before case") << u"track 9"_s << u"Track 10"_s << -1;
    QTest::newRow("leading zeros by value") << u"010"_s << u"9"_s << 1;
    QTest::newRow("leading zeros weigh less than what follows") << u"x01b"_s << u"x1a"_s << 1;
    QTest::newRow("digits before letters") << u"Track 10"_s << u"Track A"_s << -1;
    QTest::newRow("shorter first") << u"Track"_s << u"Track 1"_s << -1;
    QTest::newRow("several numbers") << u"CD 1 Track 10"_s << u"CD 1 Track 9"_s << 1;
    QTest::newRow("accented letter case ignored") << u"Öl 2"_s << u"öl 10"_s << -1;
    QTest::newRow("accented capital against small") << u"Ärm"_s << u"äpple"_s << 1;
    QTest::newRow("é case ignored") << u"Émile 9"_s << u"émile 10"_s << -1;
    QTest::newRow("empty before a blank") << QString() << u" "_s << -1;
    QTest::newRow("both empty") << QString() << QString() << 0;
    QTest::newRow("same name") << u"Track 1"_s << u"Track 1"_s << 0;
    QTest::newRow("digits of other scripts sort as letters") << u"Track ３"_s << u"Track 5"_s << 1;
    // Names that differ only in letter case or leading zeros go by the exact text.
    QTest::newRow("tie in letter case") << u"track.mp3"_s << u"Track.mp3"_s << 1;
    QTest::newRow("tie in accented letter case") << u"Å"_s << u"å"_s << -1;
    QTest::newRow("tie in leading zeros") << u"Track 1"_s << u"Track 001"_s << 1;
    QTest::newRow("tie of zero and zeros") << u"0"_s << u"00"_s << -1;
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

void TestPaths::sortNaturally_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("sorted"); // empty: only a consistent order is asked for

    QTest::newRow("discs and tracks")
        << QStringList{u"CD 10"_s, u"cd 1"_s, u"Album"_s, u"CD 2"_s, QString(), u"Track 1"_s}
        << QStringList{QString(), u"Album"_s, u"cd 1"_s, u"CD 2"_s, u"CD 10"_s, u"Track 1"_s};
    QTest::newRow("a music collection")
        << QStringList{u"Track 1"_s,   u"track 1"_s,  u"Track 01"_s, u"Track 2"_s, u"Track 10"_s,
                       u"Track 010"_s, u"A"_s,        u"a"_s,        u"a.mp3"_s,   u"B.mp3"_s,
                       u"b.MP3"_s,     u"01"_s,       u"1"_s,        u"001"_s,     u"ärm"_s,
                       u"Ärm"_s,       u"Öl"_s,       u"émile"_s,    u"Émile"_s,   QString(),
                       u"-live"_s,     u"CD 2 (1)"_s, u"CD 10"_s}
        << QStringList();
    QTest::newRow("digits of other scripts")
        << QStringList{u"Track ٣"_s, u"Track 10"_s, u"Track z"_s, u"Track 5"_s} << QStringList();
}

// Sorting needs a strict weak order; with ties broken by the exact text, different names never
// tie, so any two shuffles of the same names sort alike.
void TestPaths::sortNaturally()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, sorted);

    const QString violation = orderViolation(names);
    QVERIFY2(violation.isEmpty(), qPrintable(violation));

    QStringList first = shuffled(names, 1);
    QStringList second = shuffled(names, 2);
    paths::sortNaturally(first);
    paths::sortNaturally(second);
    QCOMPARE(first, second);
    QVERIFY(std::is_sorted(first.cbegin(), first.cend(), paths::naturalLess));
    if (!sorted.isEmpty())
        QCOMPARE(first, sorted);
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
    QTest::newRow("longest prefix wins")
        << table << u"/media/usb/inner/Music"_s << u"/media/usb/inner"_s;
    QTest::newRow("name prefix is no folder prefix")
        << table << u"/media/usbstick/Music"_s << u"/"_s;
    QTest::newRow("system root") << table << u"/"_s << u"/"_s;
    QTest::newRow("no system drive")
        << QStringList{u"/media/usb"_s, u"/media/usb2"_s} << u"/home/user"_s << QString();
}

void TestPaths::volumeOf()
{
    QFETCH(QStringList, mountPoints);
    QFETCH(QString, path);
    QFETCH(QString, volume);

    QList<Volume> volumes;
    for (const QString& m : std::as_const(mountPoints))
        volumes.append(Volume{m, m.toUpper(), false});

    // The answer does not depend on the order of the table.
    for (int pass = 0; pass < 2; ++pass) {
        const std::optional<Volume> found = drives::volumeOf(volumes, path);
        QCOMPARE(found ? found->mountPoint : QString(), volume);
        if (found)
            QCOMPARE(found->label, volume.toUpper());
        std::reverse(volumes.begin(), volumes.end());
    }
}

QTEST_GUILESS_MAIN(TestPaths)
#include "tst_paths.moc"
