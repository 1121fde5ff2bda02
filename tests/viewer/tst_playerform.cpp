#include "support/MainFormFixture.h"

#include "viewer/PlayerForm.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

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
    std::unique_ptr<PlayerForm> open()
    {
        auto form = std::make_unique<PlayerForm>(*f.m, *w->Menu_Player, w);
        form->show();
        return form;
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
    void atOpen_data();
    void atOpen();
    void currentPlayerFollowsItsCaption();
    void optionalPlayerOpensDialogAtOnce_data();
    void optionalPlayerOpensDialogAtOnce();
    void switchingToSystemPlayerIsStoredEmpty();
    void cancelRestoresEarlierPlayer_data();
    void cancelRestoresEarlierPlayer();
    void samePlayerThroughOptionOrBrowse();
    void cancelledDialogChangesNothing_data();
    void cancelledDialogChangesNothing();
    void menuItemOpensWindowModally_data();
    void menuItemOpensWindowModally();
};

void TestPlayerForm::atOpen_data()
{
    QTest::addColumn<QString>("player");
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QStringList>("texts"); // caption, Label1, options, Browse, Cancel, OK

    const QStringList english{u"Select mp3 Player"_s,
                              u"Current Player:"_s,
                              u"System Media Player"_s,
                              u"Optional Player"_s,
                              u"Browse"_s,
                              u"Cancel"_s,
                              u"OK"_s};
    const QStringList swedish{u"Välj mp3 Spelare"_s,
                              u"Vald Spelare:"_s,
                              u"Systemets mediaspelare"_s,
                              u"Valfri Spelare"_s,
                              u"Hitta"_s,
                              u"Avbryt"_s,
                              u"OK"_s};
    QTest::newRow("system player")
        << QString() << false << u"system | System Media Player | - | - | "_s << english;
    QTest::newRow("external player")
        << vlc << false << u"optional | /usr/bin/vlc | browse | - | /usr/bin/vlc"_s << english;
    QTest::newRow("Swedish, system player")
        << QString() << true << u"system | Systemets mediaspelare | - | - | "_s << swedish;
    QTest::newRow("Swedish, external player")
        << vlc << true << u"optional | /usr/bin/vlc | browse | - | /usr/bin/vlc"_s << swedish;
}

void TestPlayerForm::atOpen()
{
    QFETCH(QString, player);
    QFETCH(bool, swedish);
    QFETCH(QString, state);
    QFETCH(QStringList, texts);

    Program p(player, swedish);
    // Selecting the option while loading opens no dialog: the scripted desktop would fail.
    auto form = p.open();
    QCOMPARE(p.state(*form), state);
    QCOMPARE(form->PlayerPathAtOpen, player);
    QVERIFY(form->LoadFinished);
    QCOMPARE(
        (QStringList{form->windowTitle(), form->Label1->text(), form->Option_WinMediaPlayer->text(),
                     form->Option_OptionalPlayer->text(), form->Command_Browse->text(),
                     form->Command_Cancel->text(), form->Command_OK->text()}),
        texts);
}

void TestPlayerForm::currentPlayerFollowsItsCaption()
{
    int left[2] = {};
    for (const bool swedish : {false, true}) {
        Program p(QString(), swedish);
        auto form = p.open();
        form->layout()->activate();
        QVERIFY(form->Label_Player->x() > form->Label1->geometry().right());
        left[swedish] = form->Label_Player->x();
    }
    // The Swedish caption is the shorter one.
    QVERIFY(left[1] < left[0]);
}

void TestPlayerForm::optionalPlayerOpensDialogAtOnce_data()
{
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<QString>("title");

    QTest::newRow("English") << false << u"Select player"_s;
    QTest::newRow("Swedish") << true << u"Välj spelare"_s;
}

void TestPlayerForm::optionalPlayerOpensDialogAtOnce()
{
    QFETCH(bool, swedish);
    QFETCH(QString, title);

    Program p(QString(), swedish);
    auto form = p.open();
    p.f.platform->answerFileDialog(mpv);
    form->Option_OptionalPlayer->click();

    QCOMPARE(p.f.platform->fileDialogs().size(), 1);
    const Platform::FileDialog dialog = p.f.platform->fileDialogs().first();
    QCOMPARE(dialog.title, title);
    QCOMPARE(dialog.folder, u"/usr/bin"_s);
    QCOMPARE(dialog.fileName, QString());
    QCOMPARE(dialog.filter, u"Programs (*)"_s);
    QCOMPARE(p.state(*form), u"optional | /usr/bin/mpv | browse | ok | /usr/bin/mpv"_s);

    form->Command_OK->click();
    QCOMPARE(form->result(), int(QDialog::Accepted));
    QVERIFY(p.w->Menu_Player->isChecked());
    QVERIFY(p.f.m->SettingChanged[Module1::PlayerSetting]);
    QVERIFY(p.w->close());
    QCOMPARE(MainFormFixture::stored(u"Player"_s), mpv);
}

void TestPlayerForm::switchingToSystemPlayerIsStoredEmpty()
{
    Program p(vlc);
    QVERIFY(p.w->Menu_Player->isChecked());
    auto form = p.open();
    form->Option_WinMediaPlayer->click();
    QCOMPARE(p.state(*form), u"system | System Media Player | - | ok | "_s);

    form->Command_OK->click();
    QVERIFY(!p.w->Menu_Player->isChecked());
    QVERIFY(p.f.m->SettingChanged[Module1::PlayerSetting]);
    QVERIFY(p.w->close());
    QCOMPARE(MainFormFixture::stored(u"Player"_s), QString());
}

void TestPlayerForm::cancelRestoresEarlierPlayer_data()
{
    QTest::addColumn<QString>("how");

    QTest::newRow("Cancel") << u"Cancel"_s;
    QTest::newRow("Esc") << u"Esc"_s;
    QTest::newRow("title bar") << u"title bar"_s;
}

void TestPlayerForm::cancelRestoresEarlierPlayer()
{
    QFETCH(QString, how);

    Program p(vlc);
    auto form = p.open();
    p.f.platform->answerFileDialog(mpv);
    form->Command_Browse->click();
    QCOMPARE(p.f.m->PlayerPath, mpv);

    if (how == u"Cancel"_s)
        form->Command_Cancel->click();
    else if (how == u"Esc"_s)
        QTest::keyClick(form.get(), Qt::Key_Escape);
    else
        form->close();
    QVERIFY(form->isHidden());
    QCOMPARE(form->result(), int(QDialog::Rejected));
    QVERIFY(!form->LoadFinished);
    QCOMPARE(p.f.m->PlayerPath, vlc);
    QVERIFY(p.w->Menu_Player->isChecked());
    QVERIFY(!p.f.m->SettingChanged[Module1::PlayerSetting]);
}

void TestPlayerForm::samePlayerThroughOptionOrBrowse()
{
    Program p(vlc);
    auto form = p.open();
    form->Option_WinMediaPlayer->click();
    QCOMPARE(p.state(*form), u"system | System Media Player | - | ok | "_s);

    p.f.platform->answerFileDialog(vlc);
    form->Option_OptionalPlayer->click();
    QCOMPARE(p.state(*form), u"optional | /usr/bin/vlc | browse | - | /usr/bin/vlc"_s);

    p.f.platform->answerFileDialog(vlc);
    form->Command_Browse->click();
    QCOMPARE(p.state(*form), u"optional | /usr/bin/vlc | browse | ok | /usr/bin/vlc"_s);
    QCOMPARE(p.f.platform->fileDialogs().size(), 2);

    form->Command_OK->click();
    QVERIFY(p.w->Menu_Player->isChecked());
    QVERIFY(!p.f.m->SettingChanged[Module1::PlayerSetting]);
}

void TestPlayerForm::cancelledDialogChangesNothing_data()
{
    QTest::addColumn<QString>("player");
    QTest::addColumn<bool>("systemFirst"); // the system player's option is clicked first
    QTest::addColumn<QString>("click");
    QTest::addColumn<QString>("state");

    QTest::newRow("Browse") << vlc << false << u"Command_Browse"_s
                            << u"optional | /usr/bin/vlc | browse | - | /usr/bin/vlc"_s;
    QTest::newRow("Browse after a choice") << vlc << false << u"choose, Command_Browse"_s
                                           << u"optional | /usr/bin/mpv | browse | ok | "
                                              u"/usr/bin/mpv"_s;
    QTest::newRow("option, from the system player")
        << QString() << false << u"Option_OptionalPlayer"_s
        << u"system | System Media Player | - | - | "_s;
    QTest::newRow("option, after switching to the system player")
        << vlc << true << u"Option_OptionalPlayer"_s
        << u"system | System Media Player | - | ok | "_s;
    QTest::newRow("option again") << vlc << false << u"Option_OptionalPlayer"_s
                                  << u"optional | /usr/bin/vlc | browse | - | /usr/bin/vlc"_s;
}

void TestPlayerForm::cancelledDialogChangesNothing()
{
    QFETCH(QString, player);
    QFETCH(bool, systemFirst);
    QFETCH(QString, click);
    QFETCH(QString, state);

    Program p(player);
    auto form = p.open();
    if (systemFirst)
        form->Option_WinMediaPlayer->click();
    if (click.startsWith(u"choose, "_s)) {
        p.f.platform->answerFileDialog(mpv);
        form->Command_Browse->click();
        click = click.mid(8);
    }
    p.f.platform->answerFileDialog(std::nullopt);
    form->findChild<QAbstractButton*>(click)->click();
    QCOMPARE(p.state(*form), state);
}

void TestPlayerForm::menuItemOpensWindowModally_data()
{
    QTest::addColumn<QString>("player");

    QTest::newRow("system player") << QString();
    QTest::newRow("external player") << vlc;
}

void TestPlayerForm::menuItemOpensWindowModally()
{
    QFETCH(QString, player);

    Program p(player);
    p.w->show();
    bool shown = false;
    QTimer::singleShot(0, p.w, [&] {
        auto* form = qobject_cast<PlayerForm*>(QApplication::activeModalWidget());
        QVERIFY(form);
        shown = true;
        // The tick stays as it was until OK says otherwise.
        QCOMPARE(p.w->Menu_Player->isChecked(), !player.isEmpty());
        QCOMPARE(form->PlayerPathAtOpen, player);
        form->Command_Cancel->click();
    });
    p.w->Menu_Player->trigger();
    QVERIFY(shown);
    QCOMPARE(p.w->Menu_Player->isChecked(), !player.isEmpty());
    QVERIFY(p.w->findChildren<PlayerForm*>().isEmpty());
}

QTEST_MAIN(TestPlayerForm)
#include "tst_playerform.moc"
