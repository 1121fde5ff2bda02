#include "platform/SettingsStore.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The store as any other program with Qt would open it.
QSettings rawStore()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, u"Ordrane"_s, u"Ordrane"_s);
}

} // namespace

class TestSettingsStore : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup() { QFile::remove(m_file); }

    void numberAndOnOff_data();
    void numberAndOnOff();
    void textsPersist_data();
    void textsPersist();
    void valuesLiveInGroupSettings();

private:
    QString m_file;
};

void TestSettingsStore::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    m_file = rawStore().fileName();
    const QString testConfig =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QVERIFY2(m_file.startsWith(testConfig + u'/'), qPrintable(m_file));
    cleanup();
}

void TestSettingsStore::numberAndOnOff_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");

    QTest::newRow("whole number") << u"2"_s << 2.0;
    QTest::newRow("negative") << u"-1"_s << -1.0;
    QTest::newRow("plus sign") << u"+3"_s << 3.0;
    QTest::newRow("zero") << u"0"_s << 0.0;
    QTest::newRow("word") << u"yes"_s << 0.0;
    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("leading blanks and tab") << u" \t1"_s << 1.0;
    QTest::newRow("trailing letters") << u"1abc"_s << 1.0;
    QTest::newRow("trailing blank and number") << u"3 4"_s << 3.0;
    QTest::newRow("negative fraction without whole part") << u"-.5"_s << -0.5;
    QTest::newRow("decimal comma stops") << u"1,5"_s << 1.0;
    QTest::newRow("signed exponent") << u"1.5E+1"_s << 15.0;
    QTest::newRow("exponent sign without digits") << u"2e-"_s << 2.0;
    QTest::newRow("blank after sign") << u"- 1"_s << 0.0;
    QTest::newRow("lone point") << u"."_s << 0.0;
    QTest::newRow("hexadecimal") << u"0x10"_s << 0.0;
}

// Options are stored as "1" and "0"; any other stored number counts as on unless it is zero.
void TestSettingsStore::numberAndOnOff()
{
    QFETCH(QString, text);
    QFETCH(double, number);

    QCOMPARE(SettingsStore::number(text), number);
    QCOMPARE(SettingsStore::isOn(text), number != 0.0);
    QCOMPARE(SettingsStore::onOff(number != 0.0), number != 0.0 ? u"1"_s : u"0"_s);
}

void TestSettingsStore::textsPersist_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("blanks and accents") << u"/media/my disk/Låtar för Émile"_s;
    QTest::newRow("separators") << u"a=b; c, d # e [f]"_s;
    QTest::newRow("leading blank") << u" 1"_s;
    QTest::newRow("empty") << QString();
}

void TestSettingsStore::textsPersist()
{
    QFETCH(QString, text);

    SettingsStore writer;
    QCOMPARE(writer.value(u"SourcePath"_s, u"default"_s), u"default"_s);
    writer.setValue(u"SourcePath"_s, text);
    QCOMPARE(writer.value(u"SourcePath"_s, u"default"_s), text);
    writer.flush();
    QFile file(m_file);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("SourcePath"));

    const SettingsStore reader;
    QCOMPARE(reader.value(u"SourcePath"_s, u"default"_s), text);
}

void TestSettingsStore::valuesLiveInGroupSettings()
{
    {
        SettingsStore store;
        store.setValue(u"SourcePath"_s, u"/media/usb/Music"_s);
        store.flush();
    }
    {
        QSettings raw = rawStore();
        QCOMPARE(raw.value(u"Settings/SourcePath"_s).toString(), u"/media/usb/Music"_s);
        QVERIFY(!raw.contains(u"SourcePath"_s));
        raw.setValue(u"Settings/DestinationPath"_s, u"/media/usb2"_s);
        raw.setValue(u"TargetPath"_s, u"/elsewhere"_s);
    }

    const SettingsStore store;
    QCOMPARE(store.value(u"DestinationPath"_s, QString()), u"/media/usb2"_s);
    QCOMPARE(store.value(u"TargetPath"_s, u"none"_s), u"none"_s);
}

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
