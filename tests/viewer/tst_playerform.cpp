#include "support/MainFormFixture.h"

#include "viewer/PlayerForm.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString vlc = u"/usr/bin/vlc"_s;
const QString mpv = u"/usr/bin/mpv"_s;

// A program whose last run chose the player given ("" the system's), in English or Swedish.
struct Program {
    explicit Program(const QString& player, bool swedish = false)
    {
        if (!player.isEmpty())
            f.store(u"Player"_s, player);
        if (swedish)
            f.store(u"Swedish"_s, u"1"_s);
        w = &f.start();
    }
    // "option | current player | browse | ok | PlayerPath"
    QString state(const PlayerForm& form) const
    {
        return QStringList{form.Option_OptionalPlayer->isChecked() ? u"optional"_s : u"system"_s,
                           form.Label_Player->text(),
                           form.Command_Browse->isEnabled() ? u"browse"_s : u"-"_s,
                           form.Command_OK->isEnabled() ? u"ok"_s : u"-"_s, f.m->PlayerPath}
            .join(u" | "_s);
    }

    MainFormFixture f;
    MainForm* w = nullptr;
};

} // namespace

class TestPlayerForm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }
    void choices_data();
    void choices();
};

void TestPlayerForm::choices_data()
{
    QTest::addColumn<QString>("player"); // at the start
    QTest::addColumn<bool>("swedish");
    // Each step: "system", "option" or "browse", with the program chosen in the dialog
    // ("-" cancelled), then "=" and the state afterwards.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("end");    // "OK", "Cancel", "Esc", "title bar" or nothing
    QTest::addColumn<QString>("chosen"); // PlayerPath afterwards

    const QString vlcChosen = u"optional | /usr/bin/vlc | browse | - | /usr/bin/vlc"_s;
    const QString mpvChosen = u"optional | /usr/bin/mpv | browse | ok | /usr/bin/mpv"_s;
    const QString systemChosen = u"system | System Media Player | - | ok | "_s;
    const QString system = u"system | System Media Player | - | - | "_s;

    QTest::newRow("Optional Player opens the dialog at once")
        << QString() << false << QStringList{u"option mpv="_s + mpvChosen} << u"OK"_s << mpv;
    QTest::newRow("Optional Player opens the dialog at once, Swedish")
        << QString() << true << QStringList{u"option mpv="_s + mpvChosen} << u"OK"_s << mpv;
    QTest::newRow("back to the system player, stored empty")
        << vlc << false << QStringList{u"system="_s + systemChosen} << u"OK"_s << QString();
    for (const QString& end : {u"Cancel"_s, u"Esc"_s, u"title bar"_s})
        QTest::addRow("%s restores the earlier player", qPrintable(end))
            << vlc << false << QStringList{u"browse mpv="_s + mpvChosen} << end << vlc;
    QTest::newRow("the same program through the option, then through Browse")
        << vlc << false
        << QStringList{u"system="_s + systemChosen, u"option vlc="_s + vlcChosen,
                       u"browse vlc=optional | /usr/bin/vlc | browse | ok | /usr/bin/vlc"_s}
        << u"OK"_s << vlc;

    QTest::newRow("Browse cancelled after a choice")
        << vlc << false << QStringList{u"browse mpv="_s + mpvChosen, u"browse -="_s + mpvChosen}
        << QString() << mpv;
    QTest::newRow("option cancelled from the system player")
        << QString() << false << QStringList{u"option -="_s + system} << QString() << QString();
    QTest::newRow("option cancelled after switching to the system player")
        << vlc << false << QStringList{u"system="_s + systemChosen, u"option -="_s + systemChosen}
        << QString() << QString();
    QTest::newRow("option cancelled when already chosen")
        << vlc << false << QStringList{u"option -="_s + vlcChosen} << QString() << vlc;
}

void TestPlayerForm::choices()
{
    QFETCH(QString, player);
    QFETCH(bool, swedish);
    QFETCH(QStringList, steps);
    QFETCH(QString, end);
    QFETCH(QString, chosen);

    Program p(player, swedish);
    // Selecting the option while loading opens no dialog: the scripted desktop would fail.
    PlayerForm form(*p.f.m, *p.w->Menu_Player, p.w);
    form.show();
    QVERIFY(form.LoadFinished);
    QCOMPARE(form.PlayerPathAtOpen, player);
    const QString system = swedish ? u"Systemets mediaspelare"_s : u"System Media Player"_s;
    QCOMPARE(p.state(form), player.isEmpty() ? u"system | %1 | - | - | "_s.arg(system)
                                             : u"optional | %1 | browse | - | %1"_s.arg(player));
    const QStringList shown{form.windowTitle(),
                            form.Label1->text(),
                            form.Option_WinMediaPlayer->text(),
                            form.Option_OptionalPlayer->text(),
                            form.Command_Browse->text(),
                            form.Command_Cancel->text(),
                            form.Command_OK->text()};
    QCOMPARE(shown.join(u'|'), swedish ? u"Välj mp3 Spelare|Vald Spelare:|Systemets mediaspelare|"
                                         u"Valfri Spelare|Hitta|Avbryt|OK"_s
                                       : u"Select mp3 Player|Current Player:|System Media Player|"
                                         u"Optional Player|Browse|Cancel|OK"_s);
    for (const QString& step : steps) {
        const QString action = step.section(u'=', 0, 0);
        const QString program = action.section(u' ', 1);
        if (!program.isEmpty())
            p.f.platform->answerFileDialog(
                program == u"-"_s ? std::nullopt : std::optional(u"/usr/bin/"_s + program));
        if (action == u"system"_s)
            form.Option_WinMediaPlayer->click();
        else if (action.startsWith(u"option"_s))
            form.Option_OptionalPlayer->click();
        else
            form.Command_Browse->click();
        QCOMPARE(p.state(form), step.section(u'=', 1));
    }
    for (const Platform::FileDialog& dialog : p.f.platform->fileDialogs()) {
        QCOMPARE(dialog.title, swedish ? u"Välj spelare"_s : u"Select player"_s);
        QCOMPARE(dialog.folder, u"/usr/bin"_s);
        QCOMPARE(dialog.fileName, QString());
        QCOMPARE(dialog.filter, u"Programs (*)"_s);
    }

    if (end == u"OK"_s)
        form.Command_OK->click();
    else if (end == u"Cancel"_s)
        form.Command_Cancel->click();
    else if (end == u"Esc"_s)
        QTest::keyClick(&form, Qt::Key_Escape);
    else if (end == u"title bar"_s)
        form.close();
    if (!end.isEmpty()) {
        QVERIFY(form.isHidden());
        QCOMPARE(form.result(), int(end == u"OK"_s ? QDialog::Accepted : QDialog::Rejected));
    }
    QCOMPARE(p.f.m->PlayerPath, chosen);
    // Changed only when OK keeps another player than the one at the start.
    QCOMPARE(p.f.m->SettingChanged[Module1::PlayerSetting], end == u"OK"_s && chosen != player);
    if (end.isEmpty())
        return;
    QCOMPARE(p.w->Menu_Player->isChecked(), !chosen.isEmpty());
    QVERIFY(p.w->close());
    QCOMPARE(MainFormFixture::stored(u"Player"_s), chosen);
}

QTEST_MAIN(TestPlayerForm)
#include "tst_playerform.moc"
