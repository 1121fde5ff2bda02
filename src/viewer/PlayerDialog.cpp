#include "PlayerDialog.h"

#include "app/AppContext.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

PlayerDialog::PlayerDialog(AppContext& module, QAction& playerItem, QWidget* parent)
    : QDialog(parent)
    , m(module)
    , m_playerItem(playerItem)
{
    setObjectName(u"PlayerForm"_s);
    setWindowTitle(u"Select mp3 Player"_s);

    auto named = [](auto* widget, const QString& name) {
        widget->setObjectName(name);
        return widget;
    };
    Label1 = named(new QLabel(u"Current Player:"_s, this), u"Label1"_s);
    Label_Player = named(new QLabel(this), u"Label_Player"_s);
    Label_Player->setTextFormat(Qt::PlainText);
    Option_WinMediaPlayer =
        named(new QRadioButton(m.text(u"System Media Player"_s, u"Systemets mediaspelare"_s), this),
              u"Option_WinMediaPlayer"_s);
    Option_OptionalPlayer =
        named(new QRadioButton(u"Optional Player"_s, this), u"Option_OptionalPlayer"_s);
    Command_Browse = named(new QPushButton(u"Browse"_s, this), u"Command_Browse"_s);
    Command_Browse->setEnabled(false);
    Command_Cancel = named(new QPushButton(u"Cancel"_s, this), u"Command_Cancel"_s);
    Command_OK = named(new QPushButton(u"OK"_s, this), u"Command_OK"_s);
    Command_OK->setEnabled(false);
    for (QPushButton* button : {Command_Browse, Command_Cancel, Command_OK})
        button->setAutoDefault(false);

    // The current player's name follows its caption, wherever the caption of the language in use
    // ends.
    auto* current = new QHBoxLayout;
    current->addWidget(Label1);
    current->addWidget(Label_Player, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Option_OptionalPlayer);
    buttons->addWidget(Command_Browse);
    buttons->addStretch(1);
    buttons->addWidget(Command_Cancel);
    buttons->addWidget(Command_OK);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(current);
    layout->addWidget(Option_WinMediaPlayer);
    layout->addLayout(buttons);
    // 5370 × 1500 twips, or what the texts need in this font.
    resize(QSize(358, 100).expandedTo(sizeHint()));

    connect(Option_WinMediaPlayer, &QRadioButton::clicked, this,
            &PlayerDialog::Option_WinMediaPlayer_Click);
    connect(Option_OptionalPlayer, &QRadioButton::clicked, this,
            &PlayerDialog::Option_OptionalPlayer_Click);
    connect(Command_Browse, &QPushButton::clicked, this, &PlayerDialog::Command_Browse_Click);
    connect(Command_OK, &QPushButton::clicked, this, &PlayerDialog::Command_OK_Click);
    connect(Command_Cancel, &QPushButton::clicked, this, &PlayerDialog::Command_Cancel_Click);

    Form_Load();
}

void PlayerDialog::Form_Load()
{
    PlayerPathAtOpen = m.playerPath;
    if (m.swedish) {
        setWindowTitle(u"Välj mp3 Spelare"_s);
        Label1->setText(u"Vald Spelare:"_s);
        Command_Browse->setText(u"Hitta"_s);
        Command_Cancel->setText(u"Avbryt"_s);
        Option_OptionalPlayer->setText(u"Valfri Spelare"_s);
    }
    if (!m.playerPath.isEmpty()) {
        Option_OptionalPlayer->setChecked(true);
        Option_OptionalPlayer_Click();
    } else {
        Option_WinMediaPlayer->setChecked(true);
        Option_WinMediaPlayer_Click();
    }
    LoadFinished = true;
}

void PlayerDialog::Form_Unload()
{
    LoadFinished = false;
}

void PlayerDialog::Option_WinMediaPlayer_Click()
{
    Label_Player->setText(m.text(u"System Media Player"_s, u"Systemets mediaspelare"_s));
    if (!LoadFinished)
        return;
    m.playerPath.clear();
    Command_Browse->setEnabled(false);
    Command_OK->setEnabled(m.playerPath != PlayerPathAtOpen);
}

void PlayerDialog::Option_OptionalPlayer_Click()
{
    // Browse is enabled exactly while the window shows the optional player.
    const bool systemPlayerBefore = !Command_Browse->isEnabled();
    if (!m.playerPath.isEmpty()) {
        Label_Player->setText(m.playerPath);
    } else if (!PlayerPathAtOpen.isEmpty()) {
        Label_Player->setText(PlayerPathAtOpen);
        Command_OK->setEnabled(false);
    } else {
        Label_Player->setText(m.text(u"System Media Player"_s, u"Systemets mediaspelare"_s));
    }
    Command_Browse->setEnabled(true);
    if (!LoadFinished)
        return;

    if (!browse()) {
        // No program chosen: the window goes back to the system's player if it showed that.
        if (systemPlayerBefore) {
            Option_WinMediaPlayer->setChecked(true);
            Option_WinMediaPlayer_Click();
        }
        return;
    }
    if (m.playerPath == PlayerPathAtOpen)
        Command_OK->setEnabled(false);
}

void PlayerDialog::Command_Browse_Click()
{
    browse();
}

bool PlayerDialog::browse()
{
    const std::optional<QString> chosen =
        m.platform().openFileName({.title = m.text(u"Select player"_s, u"Välj spelare"_s),
                                   .folder = u"/usr/bin"_s,
                                   .fileName = QString(),
                                   .filter = u"Programs (*)"_s,
                                   .confirmOverwrite = false});
    if (!chosen)
        return false;
    m.playerPath = *chosen;
    Label_Player->setText(m.playerPath);
    Command_OK->setEnabled(true);
    return true;
}

void PlayerDialog::Command_OK_Click()
{
    m_playerItem.setChecked(!m.playerPath.isEmpty());
    if (m.playerPath != PlayerPathAtOpen)
        m.settingChanged(AppContext::Setting::Player);
    accept();
}

void PlayerDialog::Command_Cancel_Click()
{
    m.playerPath = PlayerPathAtOpen;
    QDialog::reject();
}

void PlayerDialog::reject()
{
    Command_Cancel_Click();
}

void PlayerDialog::done(int result)
{
    QDialog::done(result);
    Form_Unload();
}
