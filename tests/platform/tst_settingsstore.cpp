#include "platform/Paths.h"
#include "platform/SettingsStore.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;

class TestSettingsStore : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A stored number is read up to the first character that is no part of one; zero is off.
    void numberAndOnOff()
    {
        for (const QString& row :
             u"yes:0| \t1:1|3 4:3|-.5:-0.5|1,5:1|1.5E+1:15|2e-:2|0x10:0"_s.split(u'|')) {
            const double number = row.section(u':', 1).toDouble();
            QCOMPARE(SettingsStore::number(row.section(u':', 0, 0)), number);
            QCOMPARE(SettingsStore::isOn(row.section(u':', 0, 0)), number != 0.0);
        }
    }

    // Texts are kept as they are, in the group "Settings" of the store any Qt program opens.
    void textsPersistInGroupSettings()
    {
        QStandardPaths::setTestModeEnabled(true);
        const QString text = u" /media/my disk/Låtar för Émile; a=b, c # d [e]"_s;
        SettingsStore().setValue(u"Key"_s, text);
        QSettings raw(QSettings::NativeFormat, QSettings::UserScope, u"Ordrane"_s, u"Ordrane"_s);
        QVERIFY(raw.fileName().startsWith(
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/'));
        QCOMPARE(raw.value(u"Settings/Key"_s).toString(), text);
        QCOMPARE(SettingsStore().value(u"Key"_s, QString()), text);

        // A folder of an old stick, in Latin-1, is the same folder after a restart.
        const QString latin1 = paths::fromNative("/media/Bj\xf6rk/Musik");
        SettingsStore().setValue(u"TargetPath"_s, latin1);
        QCOMPARE(paths::toNative(SettingsStore().value(u"TargetPath"_s, QString())),
                 "/media/Bj\xf6rk/Musik");
        QFile::remove(raw.fileName());
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
