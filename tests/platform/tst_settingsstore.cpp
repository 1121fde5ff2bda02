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
    void cleanup();

    void number_data();
    void number();

    void isOn_data();
    void isOn();

    void onOff();

    void missingKeyGivesTheDefault();

    void storedText_data();
    void storedText();

    void flushPersists_data();
    void flushPersists();

    void valuesLiveInGroupSettings();

private:
    void removeStoreFile() const;

    QString m_file;
};

void TestSettingsStore::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    m_file = rawStore().fileName();
    const QString testConfig =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QVERIFY2(m_file.startsWith(testConfig + u'/'), qPrintable(m_file));
    removeStoreFile();
}

void TestSettingsStore::cleanup()
{
    removeStoreFile();
}

void TestSettingsStore::removeStoreFile() const
{
    QFile::remove(m_file);
}

void TestSettingsStore::number_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");
    QTest::addColumn<bool>("on");

    QTest::newRow("whole number") << u"2"_s << 2.0 << true;
    QTest::newRow("negative") << u"-1"_s << -1.0 << true;
    QTest::newRow("plus sign") << u"+3"_s << 3.0 << true;
    QTest::newRow("zero") << u"0"_s << 0.0 << false;
    QTest::newRow("word") << u"yes"_s << 0.0 << false;
    QTest::newRow("empty") << QString() << 0.0 << false;
    QTest::newRow("leading blanks") << u"  1"_s << 1.0 << true;
    QTest::newRow("leading tab") << u"\t1"_s << 1.0 << true;
    QTest::newRow("trailing letters") << u"1abc"_s << 1.0 << true;
    QTest::newRow("trailing blank and number") << u"3 4"_s << 3.0 << true;
    QTest::newRow("fraction without whole part") << u".5"_s << 0.5 << true;
    QTest::newRow("negative fraction") << u"-.5"_s << -0.5 << true;
    QTest::newRow("decimal comma stops") << u"1,5"_s << 1.0 << true;
    QTest::newRow("exponent") << u"1e2"_s << 100.0 << true;
    QTest::newRow("signed exponent") << u"1.5E+1"_s << 15.0 << true;
    QTest::newRow("exponent without digits") << u"1e"_s << 1.0 << true;
    QTest::newRow("exponent sign without digits") << u"2e-"_s << 2.0 << true;
    QTest::newRow("blank after sign") << u"- 1"_s << 0.0 << false;
    QTest::newRow("lone point") << u"."_s << 0.0 << false;
    QTest::newRow("hexadecimal") << u"0x10"_s << 0.0 << false;
}

void TestSettingsStore::number()
{
    QFETCH(QString, text);
    QFETCH(double, number);

    QCOMPARE(SettingsStore::number(text), number);
}

void TestSettingsStore::isOn_data()
{
    number_data();
}

void TestSettingsStore::isOn()
{
    QFETCH(QString, text);
    QFETCH(bool, on);

    QCOMPARE(SettingsStore::isOn(text), on);
}

void TestSettingsStore::onOff()
{
    QCOMPARE(SettingsStore::onOff(true), u"1"_s);
    QCOMPARE(SettingsStore::onOff(false), u"0"_s);
    QVERIFY(SettingsStore::isOn(SettingsStore::onOff(true)));
    QVERIFY(!SettingsStore::isOn(SettingsStore::onOff(false)));
}

void TestSettingsStore::missingKeyGivesTheDefault()
{
    const SettingsStore store;
    QCOMPARE(store.value(u"SourcePath"_s, u"/home/user/Music"_s), u"/home/user/Music"_s);
    QCOMPARE(store.value(u"SourcePath"_s, QString()), QString());
}

void TestSettingsStore::storedText_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("folder") << u"/media/usb/Music"_s;
    QTest::newRow("blanks and accents") << u"/media/my disk/Låtar för Émile"_s;
    QTest::newRow("separators") << u"a=b; c, d # e [f]"_s;
    QTest::newRow("number") << u"0"_s;
    QTest::newRow("leading blank") << u" 1"_s;
    QTest::newRow("empty") << QString();
}

void TestSettingsStore::storedText()
{
    QFETCH(QString, text);

    SettingsStore store;
    store.setValue(u"SourcePath"_s, text);
    QCOMPARE(store.value(u"SourcePath"_s, u"default"_s), text);
}

void TestSettingsStore::flushPersists_data()
{
    storedText_data();
}

void TestSettingsStore::flushPersists()
{
    QFETCH(QString, text);

    SettingsStore writer;
    writer.setValue(u"SourcePath"_s, text);
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
