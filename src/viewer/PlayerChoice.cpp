#include "PlayerChoice.h"

#include "PlayerDialog.h"
#include "app/MenuOption.h"

#include <QCoreApplication>

#include <memory>

PlayerChoice::PlayerChoice(AppContext& app, QAction& playerItem, QWidget& mainWindow)
    : QObject(&mainWindow)
    , m(app)
    , m_playerItem(playerItem)
    , m_mainWindow(mainWindow)
{
    connectOption(m_playerItem, this, [this] { choose(); });
}

void PlayerChoice::choose()
{
    auto form = std::make_unique<PlayerDialog>(m, m_playerItem, &m_mainWindow);
    form->exec();
    form.reset();
    QCoreApplication::processEvents();
}
