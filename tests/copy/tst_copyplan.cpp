#include "copy/CopyPlan.h"
#include "platform/Paths.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestCopyPlan : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void nameRules_data();
    void nameRules();
    void writtenNames();
    void swedishMessages();
};

void TestCopyPlan::nameRules_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");

    const auto row = [](const char* rule, const QString& input, const QString& expected) {
        QTest::addRow("%s: %s", rule, qPrintable(expected))
            << QString::fromLatin1(rule) << input << expected;
    };
    // The number the next prefix takes, from the Target List's folders joined by "|".
    row("prefix", u"10_J|03_C|Zed"_s, u"4"_s); // the last prefixed folder, not the largest
    row("prefix", u"ab_cd"_s, u"0"_s);
    row("prefix", u"00_Intro"_s, u"1"_s);
    row("prefix", u"7a_Live"_s, u"8"_s);
    row("fatSafe", u"Årets låt – 日本 (Live) [1999] #2, a+b=c's 𝄞"_s,
        u"Årets låt – 日本 (Live) [1999] #2, a+b=c's 𝄞"_s);
    row("fatSafe", u"a\"b*c:d<e>f?g\\h|i\tj\x01k\x1f"_s, u"a_b_c_d_e_f_g_h_i_j_k_"_s);
    row("fatSafe", u"Vol. 1 . . "_s, u"Vol. 1"_s);
    row("fatSafe", u" ..."_s, u"_"_s);
    row("fatSafe", paths::fromNative("Bj\xf6rk"), u"Bj_rk"_s); // a byte that is not UTF-8
    // The folder a Source List entry is copied into; drive roots end in "/".
    row("source", u"/media/usb/Music/Abba"_s, u"Abba"_s);
    row("source", u"/media/usb/"_s, u"MUSIC"_s);
    row("source", u"/media/card/"_s, u"card"_s);
    row("source", u"/"_s, u"root"_s);
    // The first Target List folder a source name "source>target|target" matches: the same name
    // with the prefix off, a name containing it with the prefix on; on FAT, case does not count.
    row("match", u"Album>album|Album"_s, u"1"_s);
    row("match", u"Live>07_Live|Live 2"_s, u"-1"_s);
    row("match on", u"Live>Abba|07_Live|Live 2"_s, u"1"_s);
    row("match FAT", u"Album>Abba|album"_s, u"1"_s);
    row("match on FAT", u"live>07_LIVE"_s, u"0"_s);
    row("match on", u">Abba"_s, u"-1"_s); // an empty name matches nothing
    // exFAT and NTFS drivers through FUSE mount as "fuseblk".
    row("fat", u"vfat fuseblk exfat ext4"_s, u"1 1 1 0"_s);
}

void TestCopyPlan::nameRules()
{
    QFETCH(QString, rule);
    QFETCH(QString, input);

    QString result;
    if (rule == u"prefix") {
        QStringList targetList;
        for (const QString& name : input.split(u'|'))
            targetList.append(u"/media/usb/Music/"_s + name);
        result = QString::number(copyplan::firstPrefixNumber(targetList));
    } else if (rule == u"fatSafe") {
        result = copyplan::fatSafeName(input);
    } else if (rule == u"source") {
        result = copyplan::sourceFolderName(input, {{u"/"_s, {}, false, u"ext4"_s},
                                                    {u"/media/usb"_s, u"MUSIC"_s, true, {}},
                                                    {u"/media/card"_s, {}, true, {}}});
    } else if (rule.startsWith(u"match")) {
        result = QString::number(copyplan::firstMatch(
            input.section(u'>', 0, 0), input.section(u'>', 1).split(u'|'), rule.contains(u" on"),
            rule.contains(u"FAT") ? Qt::CaseInsensitive : Qt::CaseSensitive));
    } else {
        QStringList rules;
        for (const QString& type : input.split(u' '))
            rules.append(QString::number(copyplan::followsFatRules(type)));
        result = rules.join(u' ');
    }
    QTEST(result, "expected");
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
    QCOMPARE(plain.take(u"a?.mp3"_s) + plain.take(u"A?.mp3"_s), u"a?.mp3A?.mp3"_s);
    plain.useFatRules();
    QCOMPARE(plain.take(u"a?.mp3"_s), u"a_.mp3"_s);
}

// The texts the run composes; the English ones are checked with the run itself.
void TestCopyPlan::swedishMessages()
{
    const copyplan::Message similar =
        copyplan::similarNameQuestion(u"Live"_s, u"07_Live"_s, u"00"_s, true);
    QCOMPARE(similar.title + u'|' + similar.text,
             u"Dublett folder|Källfolder:   Live\nEn Målfolder med ett liknande namn   07_Live   "
             u"finns redan !\nOm du fortsätter kommer Källfoldern att kopieras till Måldisken med "
             u"prefix 00.\n\nVill du fortsätta ?"_s);
    const copyplan::Message notFound =
        copyplan::notFoundReport(2, u"\n/home/u/Music/B\n/home/u/Music/D"_s, true);
    QCOMPARE(notFound.title + u'|' + notFound.text,
             u"Error|Följande Foldrar kunde inte hittas:\n\n/home/u/Music/B\n/home/u/Music/D"_s);
}

QTEST_GUILESS_MAIN(TestCopyPlan)
#include "tst_copyplan.moc"
