#include "copy/CopyPlan.h"
#include "copy/Transfer.h"
#include "platform/FsError.h"
#include "platform/Paths.h"
#include "support/TestDir.h"

#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(copyplan::Message)

namespace {

constexpr qint64 mib = 1024 * 1024;

QByteArray sampleData(qint64 size)
{
    QByteArray data(size, Qt::Uninitialized);
    for (qint64 i = 0; i < size; ++i)
        data[i] = static_cast<char>((i * 7 + i / 251) & 0xff);
    return data;
}

// A name of an old disk: "Björk" in Latin-1, which is not UTF-8.
const QString latin1Folder = paths::fromNative("Bj\xf6rk");

} // namespace

class TestCopyPlan : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void firstPrefixNumber_data();
    void firstPrefixNumber();

    void firstMatch_data();
    void firstMatch();

    void fatSafeName_data();
    void fatSafeName();
    void writtenNames();

    void failedFileIsNotLeft_data();
    void failedFileIsNotLeft();

    void messages_data();
    void messages();
};

void TestCopyPlan::firstPrefixNumber_data()
{
    QTest::addColumn<QString>("names"); // of the Target List's folders, joined by "|"
    QTest::addColumn<int>("expected");

    QTest::newRow("walk skips Zed, stops at 02_B") << u"01_A|02_B|Zed"_s << 3;
    QTest::newRow("last prefixed folder wins, not the largest") << u"10_J|03_C|Zed"_s << 4;
    QTest::newRow("ab_cd is not prefixed") << u"ab_cd"_s << 0;
    QTest::newRow("00_Intro is prefixed") << u"00_Intro"_s << 1;
    QTest::newRow("7a_ reads 7") << u"7a_Live"_s << 8;
    QTest::newRow("99 gives 100, others skipped") << u"99_L|Abba|Björk"_s << 100;
}

void TestCopyPlan::firstPrefixNumber()
{
    QFETCH(QString, names);
    QFETCH(int, expected);

    QStringList targetList;
    for (const QString& name : names.split(u'|', Qt::SkipEmptyParts))
        targetList.append(u"/media/usb/Music/"_s + name);
    QCOMPARE(copyplan::firstPrefixNumber(targetList), expected);
}

void TestCopyPlan::firstMatch_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("targets"); // joined by "|"
    QTest::addColumn<bool>("prefixOn");
    QTest::addColumn<bool>("fat");
    QTest::addColumn<int>("expected");

    QTest::newRow("off, same name, case counts")
        << u"Album"_s << u"album|Album"_s << false << false << 1;
    QTest::newRow("off, contained is not equal")
        << u"Live"_s << u"07_Live|Live 2"_s << false << false << -1;
    QTest::newRow("on, first container only")
        << u"Live"_s << u"Abba|07_Live|Live 2"_s << true << false << 1;
    QTest::newRow("FAT, off, case does not count")
        << u"Album"_s << u"Abba|album"_s << false << true << 1;
    QTest::newRow("FAT, on, case does not count") << u"live"_s << u"07_LIVE"_s << true << true << 0;
}

void TestCopyPlan::firstMatch()
{
    QFETCH(QString, source);
    QFETCH(QString, targets);
    QFETCH(bool, prefixOn);
    QFETCH(bool, fat);
    QFETCH(int, expected);
    QCOMPARE(copyplan::firstMatch(source, targets.split(u'|', Qt::SkipEmptyParts), prefixOn,
                                  fat ? Qt::CaseInsensitive : Qt::CaseSensitive),
             expected);
}

void TestCopyPlan::fatSafeName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");

    QTest::newRow("nothing to change") << u"Årets låt – 日本 (Live) [1999] #2, a+b=c's"_s
                                       << u"Årets låt – 日本 (Live) [1999] #2, a+b=c's"_s;
    QTest::newRow("each forbidden character") << u"a\"b*c:d<e>f?g\\h|i"_s << u"a_b_c_d_e_f_g_h_i"_s;
    QTest::newRow("control characters") << QString::fromUtf16(u"a\tb\x01"
                                                              u"c\x1f")
                                        << u"a_b_c_"_s;
    QTest::newRow("trailing blanks and dots") << u"Vol. 1 . . "_s << u"Vol. 1"_s;
    QTest::newRow("nothing left") << u" ..."_s << u"_"_s;
    QTest::newRow("byte that is not UTF-8") << latin1Folder << u"Bj_rk"_s;
    QTest::newRow("character beyond U+FFFF kept") << u"𝄞 Suite"_s << u"𝄞 Suite"_s;
}

void TestCopyPlan::fatSafeName()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QCOMPARE(copyplan::fatSafeName(name), expected);
}

void TestCopyPlan::writtenNames()
{
    copyplan::WrittenNames fat(true);
    QStringList written;
    for (const QString& name : {u"a?.mp3"_s, u"a_.mp3"_s, u"A_.MP3"_s, u"b"_s, u"b"_s, u".x"_s})
        written.append(fat.take(name));
    QCOMPARE(written, (QStringList{u"a_.mp3"_s, u"a_ (2).mp3"_s, u"A_ (3).MP3"_s, u"b"_s,
                                   u"b (2)"_s, u".x"_s}));

    copyplan::WrittenNames plain(false);
    QCOMPARE(plain.take(u"a?.mp3"_s), u"a?.mp3"_s);
    QCOMPARE(plain.take(u"A?.mp3"_s), u"A?.mp3"_s);
    plain.useFatRules();
    QCOMPARE(plain.take(u"a?.mp3"_s), u"a_.mp3"_s);
}

void TestCopyPlan::failedFileIsNotLeft_data()
{
    QTest::addColumn<QString>("file");      // the source file
    QTest::addColumn<bool>("stopInChunks"); // a failure between chunks
    QTest::addColumn<int>("number");        // of the error
    QTest::addColumn<QString>("errorPath");

    QTest::newRow("missing source") << u"missing.mp3"_s << false << 76 << u"from/missing.mp3"_s;
    QTest::newRow("onto itself through a link")
        << u"song.mp3"_s << false << 5 << u"to/A/song.mp3"_s;
    QTest::newRow("stopped between chunks") << u"song.mp3"_s << true << 68 << u"to/A/song.mp3"_s;
}

void TestCopyPlan::failedFileIsNotLeft()
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
    if (!stopInChunks)
        QCOMPARE(::symlink(paths::toNative(dir(u"from/song.mp3"_s)).constData(),
                           paths::toNative(dir(u"to/A/song.mp3"_s)).constData()),
                 0);

    transfer::Target target(dir(u"to"_s), false);
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
    QCOMPARE(entriesOf(dir(u"to/A"_s)), stopInChunks ? u"first.mp3"_s : u"first.mp3 song.mp3"_s);
}

void TestCopyPlan::messages_data()
{
    QTest::addColumn<copyplan::Message>("message");
    QTest::addColumn<QString>("expected"); // "title|text"

    // The texts the run composes; the English ones are checked with the run itself.
    const auto row = [](const char* name, const copyplan::Message& message, const QString& text) {
        QTest::newRow(name) << message << text;
    };
    row("similar name, Swedish",
        copyplan::similarNameQuestion(u"Live"_s, u"07_Live"_s, u"00"_s, true),
        u"Dublett folder|Källfolder:   Live\nEn Målfolder med ett liknande namn   07_Live   finns "
        u"redan !\nOm du fortsätter kommer Källfoldern att kopieras till Måldisken med prefix "
        u"00.\n\nVill du fortsätta ?"_s);
    row("two not found, Swedish",
        copyplan::notFoundReport(2, u"\n/home/u/Music/B\n/home/u/Music/D"_s, true),
        u"Error|Följande Foldrar kunde inte hittas:\n\n/home/u/Music/B\n/home/u/Music/D"_s);
}

void TestCopyPlan::messages()
{
    QFETCH(copyplan::Message, message);
    QFETCH(QString, expected);
    QCOMPARE(message.title + u'|' + message.text, expected);
}

QTEST_GUILESS_MAIN(TestCopyPlan)
#include "tst_copyplan.moc"
