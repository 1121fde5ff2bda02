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
    void textsPersistInGroupSettings();

private:
    QString m_file;
};

void TestSettingsStore::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    m_file = rawStore().fileName();
    QVERIFY(m_file.startsWith(
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/'));
    cleanup();
}

void TestSettingsStore::numberAndOnOff_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");

    // Each row is the stored text and the number it stands for, apart at the last '|'.
    for (const char* row : {"-1|-1", "yes|0", "|0", " \t1|1", "3 4|3", "-.5|-0.5", "1,5|1",
                            "1.5E+1|15", "2e-|2", "0x10|0"}) {
        const QString text = QString::fromUtf8(row);
        QTest::addRow("\"%s\"", row)
            << text.section(u'|', 0, -2) << text.section(u'|', -1).toDouble();
    }
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

// Texts are kept as they are, in the group "Settings" of the store any Qt program opens.
void TestSettingsStore::textsPersistInGroupSettings()
{
    const QStringList texts{u"/media/my disk/Låtar för Émile"_s, u"a=b; c, d # e [f]"_s, u" 1"_s};
    {
        SettingsStore writer;
        for (qsizetype i = 0; i < texts.size(); ++i) {
            const QString key = u"Key"_s + QString::number(i);
            writer.setValue(key, texts[i]);
        }
        writer.flush();
    }
    {
        QSettings raw = rawStore();
        QCOMPARE(raw.value(u"Settings/Key0"_s).toString(), texts[0]);
        QVERIFY(!raw.contains(u"Key0"_s));
        raw.setValue(u"Settings/DestinationPath"_s, u"/media/usb2"_s);
        raw.setValue(u"TargetPath"_s, u"/elsewhere"_s);
    }
    const SettingsStore reader;
    for (qsizetype i = 0; i < texts.size(); ++i)
        QCOMPARE(reader.value(u"Key"_s + QString::number(i), u"default"_s), texts[i]);
    QCOMPARE(reader.value(u"DestinationPath"_s, QString()), u"/media/usb2"_s);
    QCOMPARE(reader.value(u"TargetPath"_s, u"none"_s), u"none"_s);
}

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
