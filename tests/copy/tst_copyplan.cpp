#include "copy/CopyPlan.h"
#include "platform/Paths.h"

#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(copyplan::Message)

namespace {

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

    void sourceFolderName_data();
    void sourceFolderName();
    void fatFileSystems();

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
    QTest::newRow("empty name matches nothing")
        << QString() << u"Abba|07_Live"_s << true << false << -1;
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

void TestCopyPlan::sourceFolderName_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("expected");

    QTest::newRow("folder") << u"/media/usb/Music/Abba"_s << u"Abba"_s;
    QTest::newRow("drive root with label") << u"/media/usb/"_s << u"MUSIC"_s;
    QTest::newRow("drive root without label") << u"/media/card/"_s << u"card"_s;
    QTest::newRow("system drive") << u"/"_s << u"root"_s;
}

void TestCopyPlan::sourceFolderName()
{
    QFETCH(QString, entry);
    const QList<Volume> volumes{{u"/"_s, {}, false, u"ext4"_s},
                                {u"/media/usb"_s, u"MUSIC"_s, true, u"vfat"_s},
                                {u"/media/card"_s, {}, true, u"exfat"_s}};
    QTEST(copyplan::sourceFolderName(entry, volumes), "expected");
}

// exFAT and NTFS drivers through FUSE mount as "fuseblk".
void TestCopyPlan::fatFileSystems()
{
    for (const QString& type : {u"vfat"_s, u"exfat"_s, u"ntfs3"_s, u"fuseblk"_s})
        QVERIFY2(copyplan::followsFatRules(type), qPrintable(type));
    QVERIFY(!copyplan::followsFatRules(u"ext4"_s));
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
