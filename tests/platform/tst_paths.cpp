#include "platform/Drives.h"
#include "platform/Paths.h"
#include "platform/SettingsStore.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

#include <algorithm>
#include <random>

using namespace Qt::StringLiterals;

class TestPaths : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pathRules_data();
    void pathRules();
    void nativeNames();
    void naturalOrder_data();
    void naturalOrder();
    void sortNaturally();
    void settingsNumbers();
    void settingsKeepTextsAndPathBytes();
};

void TestPaths::pathRules_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("expected");

    const auto row = [](const char* rule, const QString& a, const QString& b, const QString& e) {
        QTest::addRow("%s: %s %s", rule, qPrintable(a), qPrintable(b))
            << QString::fromLatin1(rule) << a << b << e;
    };
    const QString usb = u"/media/usb"_s;
    row("join", usb + u"/Music"_s, u"Album"_s, usb + u"/Music/Album"_s);
    row("normal", usb + u"/Music//"_s, usb, usb + u"/Music"_s);
    row("normal", usb + u"//"_s, usb, usb + u'/');
    row("normal", u"//"_s, u"/"_s, u"/"_s);
    // The mount point read back from the drive text of mount point a with label b.
    row("readBack", usb, u"[X]"_s, usb);
    row("readBack", u"/media/usb [1]"_s, {}, u"/media/usb [1]"_s);
    // The volume holding a path: the longest mount-point prefix that is a folder prefix.
    row("volume", usb + u"/inner/M"_s, {}, usb + u"/inner"_s);
    row("volume", u"/media/usbstick/Music"_s, {}, u"/"_s);
    row("volume", u"/home/user"_s, u"no system drive"_s, QString());
}

void TestPaths::pathRules()
{
    QFETCH(QString, rule);
    QFETCH(QString, a);
    QFETCH(QString, b);

    QString result;
    if (rule == u"join") {
        result = paths::join(a, b);
    } else if (rule == u"normal") {
        result = paths::normalized(a, b);
    } else if (rule == u"readBack") {
        result = drives::mountPointOfDriveText(drives::driveText(Volume{a, b, false, {}}));
    } else {
        QList<Volume> volumes;
        for (const QString& m : {u"/media/usb"_s, u"/media/usb/inner"_s, u"/"_s}) {
            if (m != u"/" || b.isEmpty())
                volumes.append(Volume{m, {}, false, {}});
        }
        const std::optional<Volume> found = drives::volumeOf(volumes, a);
        result = found ? found->mountPoint : QString();
    }
    QTEST(result, "expected");
}

// Names are bytes: what is not UTF-8 comes back byte for byte, and nothing is lost on the way.
void TestPaths::nativeNames()
{
    for (const QByteArray& bytes :
         {"\xc3\xa5 UTF-8 \xf0\x9d\x84\x9e"_ba, "Bj\xf6rk"_ba, "\xed\xb2\x80 encoded surrogate"_ba,
          "cut \xe2\x82"_ba, "\xf0\x9d\x84\x9e\x80"_ba, "\xef\xbb\xbf byte-order mark"_ba})
        QCOMPARE(paths::toNative(paths::fromNative(bytes)), bytes);

    // The mp3 ending is matched on the bytes, whatever the name holds.
    QVERIFY(paths::matchesWildcard("Bj\xf6rk.Mp3", "*.mp3"));
    QVERIFY(paths::matchesWildcard("\xef\xbb\xbf 1.mp3", "*.mp3"));
    QVERIFY(!paths::matchesWildcard("a.mp3.jpg", "*.mp3"));
    QVERIFY(paths::matchesWildcard("\xc3\xa5.mp3", "?.mp3"));
    // A folder dropped from a file manager comes as a URL.
    QCOMPARE(
        paths::toNative(paths::fromFileUrl(QUrl::fromEncoded("file:///m/Bj%F6rk%20%E2%82%AC"))),
        "/m/Bj\xf6rk \xe2\x82\xac"_ba);
}

void TestPaths::naturalOrder_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("order"); // -1 when a comes first, 1 when b does, 0 for the same name

    QTest::newRow("numbers by value") << u"Track 2"_s << u"Track 10"_s << -1;
    QTest::newRow("leading zeros weigh less than what follows") << u"x01b"_s << u"x1a"_s << 1;
    QTest::newRow("digits before letters") << u"Track 10"_s << u"Track A"_s << -1;
    QTest::newRow("accented letter case ignored") << u"Öl 2"_s << u"öl 10"_s << -1;
    QTest::newRow("same name") << u"Track 1"_s << u"Track 1"_s << 0;
    QTest::newRow("digits of other scripts sort as letters") << u"Track ３"_s << u"Track 5"_s << 1;
    // Names that differ only in letter case or leading zeros go by the exact text.
    QTest::newRow("tie in letter case") << u"track.mp3"_s << u"Track.mp3"_s << 1;
}

void TestPaths::naturalOrder()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, order);

    QCOMPARE(std::clamp(paths::naturalCompare(a, b), -1, 1), order);
    QCOMPARE(std::clamp(paths::naturalCompare(b, a), -1, 1), -order);
}

// Sorting needs a strict weak order; with ties broken by the exact text, different names never
// tie, so any shuffle of the same names sorts alike.
void TestPaths::sortNaturally()
{
    const QStringList collection{
        u"Track 1"_s, u"track 1"_s, u"Track 01"_s, u"Track 2"_s,  u"Track 10"_s, u"Track 010"_s,
        u"A"_s,       u"a"_s,       u"a.mp3"_s,    u"B.mp3"_s,    u"b.MP3"_s,    u"01"_s,
        u"1"_s,       u"001"_s,     u"ärm"_s,      u"Ärm"_s,      u"Öl"_s,       u"émile"_s,
        u"Émile"_s,   QString(),    u"-live"_s,    u"CD 2 (1)"_s, u"Track ٣"_s,  u"Track z"_s};
    QStringList first = collection;
    QStringList second = collection;
    std::shuffle(first.begin(), first.end(), std::mt19937(1));
    std::shuffle(second.begin(), second.end(), std::mt19937(2));
    paths::sortNaturally(first);
    paths::sortNaturally(second);
    QCOMPARE(first, second);
    QVERIFY(std::is_sorted(first.cbegin(), first.cend(), paths::naturalLess));
}

// A stored number is read up to the first character that is no part of one; zero is off.
void TestPaths::settingsNumbers()
{
    for (const QString& row :
         u"yes:0| \t1:1|3 4:3|-.5:-0.5|1,5:1|1.5E+1:15|2e-:2|0x10:0"_s.split(u'|')) {
        const double number = row.section(u':', 1).toDouble();
        QCOMPARE(SettingsStore::number(row.section(u':', 0, 0)), number);
        QCOMPARE(SettingsStore::isOn(row.section(u':', 0, 0)), number != 0.0);
    }
}

// Texts are kept as they are, in the group "Settings" of the store any Qt program opens; a folder
// of an old stick, in Latin-1, is the same folder after a restart.
void TestPaths::settingsKeepTextsAndPathBytes()
{
    QStandardPaths::setTestModeEnabled(true);
    const QString text = u" /media/my disk/Låtar för Émile; a=b, c # d [e]"_s;
    SettingsStore().setValue(u"Key"_s, text);
    QSettings raw(QSettings::NativeFormat, QSettings::UserScope, u"Ordrane"_s, u"Ordrane"_s);
    QVERIFY(raw.fileName().startsWith(
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/'));
    QCOMPARE(raw.value(u"Settings/Key"_s).toString(), text);
    QCOMPARE(SettingsStore().value(u"Key"_s, QString()), text);
    SettingsStore().setValue(u"TargetPath"_s, paths::fromNative("/media/Bj\xf6rk/Musik"));
    QCOMPARE(paths::toNative(SettingsStore().value(u"TargetPath"_s, QString())),
             "/media/Bj\xf6rk/Musik");
    QFile::remove(raw.fileName());
}

QTEST_GUILESS_MAIN(TestPaths)
#include "tst_paths.moc"
