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
    const QString testConfig =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QVERIFY2(m_file.startsWith(testConfig + u'/'), qPrintable(m_file));
    cleanup();
}

void TestSettingsStore::numberAndOnOff_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");

    for (const auto& [text, number] : QList<std::pair<QString, double>>{{u"2"_s, 2},
                                                                        {u"-1"_s, -1},
                                                                        {u"+3"_s, 3},
                                                                        {u"0"_s, 0},
                                                                        {u"yes"_s, 0},
                                                                        {QString(), 0},
                                                                        {u" \t1"_s, 1},
                                                                        {u"3 4"_s, 3},
                                                                        {u"-.5"_s, -0.5},
                                                                        {u"1,5"_s, 1},
                                                                        {u"1.5E+1"_s, 15},
                                                                        {u"2e-"_s, 2},
                                                                        {u"- 1"_s, 0},
                                                                        {u"."_s, 0},
                                                                        {u"0x10"_s, 0}})
        QTest::addRow("\"%s\"", qPrintable(text)) << text << number;
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
    const QStringList texts{u"/media/my disk/Låtar för Émile"_s, u"a=b; c, d # e [f]"_s, u" 1"_s,
                            QString()};
    {
        SettingsStore writer;
        for (qsizetype i = 0; i < texts.size(); ++i) {
            const QString key = u"Key"_s + QString::number(i);
            QCOMPARE(writer.value(key, u"default"_s), u"default"_s);
            writer.setValue(key, texts[i]);
            QCOMPARE(writer.value(key, u"default"_s), texts[i]);
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
