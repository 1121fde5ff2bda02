#include "PlayOrderDialog.h"

#include "NameSort.h"
#include "PlayOrder.h"
#include "platform/FsError.h"
#include "platform/Paths.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

using namespace Qt::StringLiterals;

PlayOrderDialog::PlayOrderDialog(Platform& platform, bool swedish, const QString& fileSystem,
                                 const QString& folder, QWidget* parent)
    : QDialog(parent)
    , m_platform(platform)
    , m_swedish(swedish)
    , m_keepsOrder(playorder::keepsPlayOrder(fileSystem))
    , m_folder(folder)
{
    setObjectName(u"PlayOrderForm"_s);
    setWindowTitle(text(u"Play Order"_s, u"Spelordning"_s));

    m_pathLabel = new QLabel(folder, this);
    m_pathLabel->setObjectName(u"PlayOrderPath"_s);
    m_pathLabel->setTextFormat(Qt::PlainText);
    m_folderList = new QListWidget(this);
    m_folderList->setObjectName(u"PlayOrderList"_s);
    m_fileList = new QListWidget(this);
    m_fileList->setObjectName(u"PlayOrderFiles"_s);
    m_stateLabel = new QLabel(this);
    m_stateLabel->setObjectName(u"PlayOrderState"_s);
    m_stateLabel->setTextFormat(Qt::PlainText);
    m_stateLabel->setWordWrap(true);
    m_sortButton = new QPushButton(text(u"Sort by Name"_s, u"Sortera efter namn"_s), this);
    m_sortButton->setObjectName(u"SortPlayOrder"_s);
    m_sortButton->setAutoDefault(false);
    m_closeButton = new QPushButton(text(u"Close"_s, u"Stäng"_s), this);
    m_closeButton->setObjectName(u"ClosePlayOrder"_s);
    m_closeButton->setAutoDefault(false);

    auto* lists = new QHBoxLayout;
    lists->addWidget(m_folderList, 1);
    lists->addWidget(m_fileList, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_stateLabel, 1);
    buttons->addWidget(m_sortButton);
    buttons->addWidget(m_closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pathLabel);
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);
    resize(640, 420);

    connect(m_folderList, &QListWidget::currentRowChanged, this, &PlayOrderDialog::showFiles);
    connect(m_sortButton, &QPushButton::clicked, this, &PlayOrderDialog::sortClicked);
    connect(m_closeButton, &QPushButton::clicked, this, &PlayOrderDialog::reject);

    readBack();
}

QString PlayOrderDialog::text(const QString& english, const QString& swedish) const
{
    return m_swedish ? swedish : english;
}

void PlayOrderDialog::reject()
{
    if (!m_sorting)
        QDialog::reject();
}

void PlayOrderDialog::readBack()
{
    m_folderList->clear();
    m_fileList->clear();
    m_files.clear();
    bool inOrder = true;
    try {
        playorder::Entries entries = playorder::storedEntries(m_folder);
        inOrder =
            playorder::isInNameOrder(entries.folders) && playorder::isInNameOrder(entries.files);
        if (!m_keepsOrder)
            entries.folders = playorder::inNameOrder(entries.folders);
        for (const QString& name : entries.folders) {
            QStringList files = playorder::storedEntries(paths::join(m_folder, name)).files;
            inOrder = inOrder && playorder::isInNameOrder(files);
            m_files.append(m_keepsOrder ? files : playorder::inNameOrder(files));
        }
        m_folderList->addItems(entries.folders);
    } catch (const FsError& e) {
        m_files.clear();
        m_folderList->clear();
        m_platform.message(text(u"Play Order"_s, u"Spelordning"_s),
                           text(u"The order in "_s, u"Ordningen i "_s) + e.path() +
                               text(u" could not be read:\n"_s, u" kunde inte läsas:\n"_s) +
                               e.reason(m_swedish),
                           Platform::Buttons::Ok, Platform::Icon::Critical);
    }
    if (!m_keepsOrder)
        m_stateLabel->setText(
            text(u"This drive keeps no play order."_s, u"Den här disken har ingen spelordning."_s));
    else if (inOrder)
        m_stateLabel->setText(text(u"In name order."_s, u"I namnordning."_s));
    else
        m_stateLabel->setText(text(u"Not in name order: a player plays them as listed."_s,
                                   u"Inte i namnordning: en spelare spelar dem som de står."_s));
    m_sortButton->setEnabled(m_keepsOrder && !inOrder);
    if (m_folderList->count() > 0)
        m_folderList->setCurrentRow(0);
}

void PlayOrderDialog::showFiles()
{
    m_fileList->clear();
    const int row = m_folderList->currentRow();
    if (row >= 0 && row < m_files.size())
        m_fileList->addItems(m_files[row]);
}

void PlayOrderDialog::sortClicked()
{
    const QString question =
        text(u"The folders in "_s + m_folder +
                 u" and the files in each of them will be put in name order on the drive.\n"
                 u"Do not remove the drive before this is done.\n\nDo you want to continue ?"_s,
             u"Foldrarna i "_s + m_folder +
                 u" och filerna i var och en av dem ställs i namnordning på disken.\nTa inte "
                 u"bort disken innan det är klart.\n\nVill du fortsätta ?"_s);
    if (m_platform.message(text(u"Sort by Name"_s, u"Sortera efter namn"_s), question,
                           Platform::Buttons::OkCancel,
                           Platform::Icon::Question) != Platform::Answer::Ok)
        return;

    m_sorting = true;
    setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::optional<FsError> failure;
    try {
        namesort::sortByName(m_folder, [] {
            QCoreApplication::processEvents();
            return true;
        });
    } catch (const FsError& e) {
        failure = e;
    }
    QApplication::restoreOverrideCursor();
    setEnabled(true);
    m_sorting = false;
    if (failure)
        m_platform.message(text(u"Sort by Name"_s, u"Sortera efter namn"_s),
                           failure->path() +
                               text(u" could not be put in name order:\n"_s,
                                    u" kunde inte ställas i namnordning:\n"_s) +
                               failure->reason(m_swedish),
                           Platform::Buttons::Ok, Platform::Icon::Critical);
    readBack();
    Q_EMIT stickChanged();
}

bool PlayOrderDialog::finishInterruptedSort(Platform& platform, bool swedish, const QString& folder)
{
    const auto text = [swedish](const QString& english, const QString& svenska) {
        return swedish ? svenska : english;
    };
    try {
        if (!namesort::finishInterrupted(folder))
            return false;
        platform.message(text(u"Play Order"_s, u"Spelordning"_s),
                         text(u"The sorting by name in "_s, u"Sorteringen efter namn i "_s) +
                             folder +
                             text(u" was interrupted. It has now been finished."_s,
                                  u" avbröts. Den är nu slutförd."_s),
                         Platform::Buttons::Ok, Platform::Icon::Information);
    } catch (const FsError& e) {
        platform.message(text(u"Play Order"_s, u"Spelordning"_s),
                         text(u"The interrupted sorting by name in "_s,
                              u"Den avbrutna sorteringen efter namn i "_s) +
                             e.path() +
                             text(u" could not be finished:\n"_s, u" kunde inte slutföras:\n"_s) +
                             e.reason(swedish),
                         Platform::Buttons::Ok, Platform::Icon::Critical);
    }
    return true;
}
