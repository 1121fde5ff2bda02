#include "TargetPane.h"

#include "FolderBrowser.h"
#include "NamedControls.h"
#include "app/AppContext.h"
#include "platform/DirListBox.h"
#include "platform/DriveListBox.h"
#include "platform/FsError.h"
#include "platform/Paths.h"
#include "playorder/PlayOrderDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include <utility>

using namespace Qt::StringLiterals;

TargetPane::TargetPane(AppContext& app, QWidget& parent, std::function<double()> listedBytes)
    : QObject(&parent)
    , m(app)
    , m_listedBytes(std::move(listedBytes))
    , m_browser(new FolderBrowser(app, u"Target"_s, parent))
    , m_drives(&m_browser->driveList())
    , m_folders(&m_browser->folderList())
    , m_up(pictureButton(u"TargetUpOneLevel"_s, ButtonPicture::UpOneLevel, &parent))
    , m_refresh(named(new QPushButton(&parent), u"RefreshTargetLists"_s))
    , m_list(named(new QListWidget(&parent), u"TargetList"_s))
    , m_remove(pictureButton(u"RemoveTargetFolder"_s, ButtonPicture::Delete, &parent))
    , m_clearFolders(named(new QPushButton(&parent), u"ClearTargetFolders"_s))
    , m_clearDrive(named(new QPushButton(&parent), u"ClearTargetDrive"_s))
    , m_freeCaption(named(new QLabel(&parent), u"Label_TargetFreeSpace"_s))
    , m_free(named(new QLabel(&parent), u"TargetFreeSpace"_s))
    , m_countCaption(named(new QLabel(&parent), u"Label_NumberOfFiles_0"_s))
    , m_count(named(new QLabel(&parent), u"Label_NumberOfFiles_1"_s))
    , m_refreshDrives(named(new QPushButton(&parent), u"RefreshDriveLists_1"_s))
{
    m_remove->setEnabled(false);
    m_clearFolders->setEnabled(false);
    m_clearDrive->setEnabled(false);

    connect(m_drives, &DriveListBox::changed, this, &TargetPane::driveChanged);
    connect(m_folders, &DirListBox::changed, this, &TargetPane::folderChanged);
    connect(m_browser, &FolderBrowser::folderKept, this, &TargetPane::takeDrive);
    connect(m_browser, &FolderBrowser::openFolderReread, this, &TargetPane::fillList);
    connect(m_folders, &DirListBox::entryActivated, this,
            [this](int index) { m_browser->open(m_folders->list(index)); });
    connect(m_folders, &QListWidget::itemClicked, this, &TargetPane::folderClicked);
    // A list box's click is any selection of an item: by mouse, by keys or by the program.
    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] {
        if (selectedRow() >= 0)
            listClicked();
    });
    connect(m_up, &QPushButton::clicked, this, &TargetPane::upOneLevel);
    connect(m_refresh, &QPushButton::clicked, this, &TargetPane::refresh);
    connect(m_remove, &QPushButton::clicked, this, &TargetPane::removeRequested);
    connect(m_clearFolders, &QPushButton::clicked, this, &TargetPane::clearFoldersRequested);
    connect(m_clearDrive, &QPushButton::clicked, this, &TargetPane::clearDriveRequested);
    connect(m_refreshDrives, &QPushButton::clicked, this, &TargetPane::refreshDrives);

    for (QListWidget* pane : {static_cast<QListWidget*>(m_folders), m_list}) {
        // A pane takes the focus from the left button only (see eventFilter).
        pane->setFocusPolicy(Qt::TabFocus);
        pane->installEventFilter(this);
        pane->viewport()->installEventFilter(this);
    }
    // A count held back at start runs once the count has been drawn (see eventFilter).
    m_count->installEventFilter(this);
}

QLayout* TargetPane::createFoldersLayout()
{
    return m_browser->createLayout(m_refreshDrives, {m_up}, m_refresh);
}

QLayout* TargetPane::createListLayout()
{
    auto* freeSpace = new QHBoxLayout;
    freeSpace->addWidget(m_freeCaption);
    freeSpace->addWidget(m_free);
    freeSpace->addStretch(1);
    auto* count = new QHBoxLayout;
    count->addWidget(m_countCaption);
    count->addWidget(m_count);
    count->addStretch(1);
    auto* deleteButtons = new QHBoxLayout;
    deleteButtons->addWidget(m_remove);
    deleteButtons->addWidget(m_clearFolders);
    deleteButtons->addWidget(m_clearDrive);
    deleteButtons->addStretch(1);
    auto* list = new QVBoxLayout;
    list->addLayout(freeSpace);
    list->addLayout(count);
    list->addWidget(m_list, 1);
    list->addLayout(deleteButtons);
    return list;
}

void TargetPane::setTexts(bool swedish)
{
    const auto text = [swedish](const QString& english, const QString& svenska) {
        return swedish ? svenska : english;
    };
    m_freeCaption->setText(text(u"Estimated free space on Target drive:"_s,
                                u"Uppskattat ledigt utrymme på Måldisk:"_s));
    m_countCaption->setText(text(u"Number of mp3 files in selected path on Target drive:"_s,
                                 u"Antal mp3 filer i vald sökväg på Måldisk:"_s));
    m_count->setText(text(u"Click Refresh"_s, u"Klicka Uppdatera"_s));
    m_refreshDrives->setText(text(u"Refresh Drives"_s, u"Uppdatera Diskar"_s));
    m_refresh->setText(text(u"Refresh"_s, u"Uppdatera"_s));
    m_clearFolders->setText(text(u"Clear  Open Folder"_s, u"Radera Vald"_s));
    m_clearDrive->setText(text(u"Clear Disk"_s, u" Radera   Allt"_s));
    m_clearFolders->setToolTip(
        text(u"Delete all subfolders from the selected path of the Target drive"_s,
             u"Radera alla foldrar från visad sökväg på Måldisken"_s));
    m_clearDrive->setToolTip(
        text(u"Delete all folders from the Target drive"_s, u"Radera hela Måldisken"_s));
    m_countCaption->setToolTip(
        text(u"Files are counted in the selected folder and two levels of sub folders."_s,
             u"Filer räknas i vald folder och två nivåer av underfoldrar"_s));
    m_refreshDrives->setToolTip(text(u"RefreshTarget Drive List"_s, u"Uppdatera Måldisk-listan"_s));
    m_refresh->setToolTip(
        text(u"Refresh the file count of the displayed path of the Target drive"_s,
             u"Uppdatera filräkning i visad sökväg på Måldisken"_s));
    m_remove->setToolTip(text(u"Delete the selected folder from the Target drive"_s,
                              u"Radera den valda foldern från Måldisken"_s));
    m_up->setToolTip(text(u"Up one level"_s, u"Upp en nivå"_s));
    // The count's own tip has no Swedish text: it is set in English only.
    if (!swedish)
        m_count->setToolTip(u"Number of files. Only one level of subfolder counted."_s);
}

void TargetPane::setPaneToolTips(const QString& folders, const QString& list)
{
    m_folders->setToolTip(folders);
    m_list->setToolTip(list);
}

QString TargetPane::driveName() const
{
    return m_drives->drive();
}

QString TargetPane::folder() const
{
    return m_folders->path();
}

QString TargetPane::openFolder() const
{
    return m_folders->list(-1);
}

QString TargetPane::highlightedFolder() const
{
    return m_folders->list(m_folders->listIndex());
}

QString TargetPane::selectedListEntry() const
{
    const int row = selectedRow();
    return row < 0 ? QString() : m_list->item(row)->text();
}

int TargetPane::selectedRow() const
{
    const QListWidgetItem* item = m_list->currentItem();
    return item && item->isSelected() ? m_list->currentRow() : -1;
}

QStringList TargetPane::listedFolders() const
{
    QStringList folders;
    for (int i = 0; i < m_list->count(); ++i)
        folders.append(m_list->item(i)->text());
    return folders;
}

QStringList TargetPane::subfolders() const
{
    QStringList folders;
    for (int i = 0; i < m_folders->listCount(); ++i)
        folders.append(m_folders->list(i));
    return folders;
}

QStringList TargetPane::listedDrives() const
{
    QStringList mountPoints;
    for (int i = 0; i < m_drives->count(); ++i)
        mountPoints.append(m_drives->itemData(i).toString());
    return mountPoints;
}

QString TargetPane::mp3CountText() const
{
    return m_count->text();
}

bool TargetPane::showsDriveRoot() const
{
    return m_folders->path() == m_drives->drive() + u'/';
}

void TargetPane::openAtStart(const QString& folder)
{
    m_startingUp = true;
    m_browser->openAtStart(folder);
    m_startingUp = false;
}

void TargetPane::openDriveRoot()
{
    m_folders->setPath(drives::rootOf(m_drive ? m_drive->mountPoint() : m_drives->mountPoint()));
}

bool TargetPane::reread()
{
    return m_browser->reread();
}

void TargetPane::rereadFolders()
{
    m_folders->refresh();
}

void TargetPane::upOneLevel()
{
    // At a drive's mount point Up opens the folder holding it, on the enclosing drive.
    const QString parent = m_folders->parentFolder();
    if (!parent.isEmpty())
        m_browser->open(parent);
    m_folders->setListIndex(-1);
    m_folders->setFocus();
}

void TargetPane::refreshDrives()
{
    m_drives->refresh();
    m_drives->setFocus();
}

void TargetPane::leaveLostDrive()
{
    m.ShowDriveNotReady(m_drives->drive());
    m_browser->openSystemDrive();
}

void TargetPane::focusFolders()
{
    m_folders->setFocus();
}

void TargetPane::focusList()
{
    m_list->setFocus();
}

void TargetPane::driveChanged()
{
    try {
        m_drive = m.fileSystem.drive(m_drives->mountPoint());
        m_folders->setPath(drives::rootOf(m_drives->mountPoint()));
        m_remove->setEnabled(false);
        updateFreeSpace();
    } catch (const FsError&) {
        m.ShowDriveNotReady(m_drives->drive());
        m_browser->keepFolder();
    }
}

void TargetPane::folderChanged()
{
    // A sort by name of this folder that was cut short is finished before the folder is shown.
    if (PlayOrderDialog::finishInterruptedSort(m.platform(), m.swedish, m_folders->path())) {
        try {
            m_folders->refresh();
        } catch (const FsError&) {
            // The list shows the folder as it was read before.
        }
    }
    m_drives->showDrive(m_folders->mountPoint());
    takeDrive();
    fillList();
    m_up->setEnabled(!m_folders->parentFolder().isEmpty());
}

void TargetPane::takeDrive()
{
    const QString mountPoint = m_folders->mountPoint();
    if (m_drive && m_drive->mountPoint() == mountPoint)
        return;
    try {
        m_drive = m.fileSystem.drive(mountPoint);
    } catch (const FsError&) {
        m_drive.reset();
    }
    m_remove->setEnabled(false);
    updateFreeSpace();
}

void TargetPane::folderClicked()
{
    if (m_drive && m_drive->isReady())
        return;
    m.ShowDriveNotReady(m_drives->drive());
    refreshDrives();
}

void TargetPane::listClicked()
{
    try {
        if (m_drive && m_drive->isRemovable())
            m_remove->setEnabled(true);
    } catch (const FsError&) {
        m.ShowDriveNotReady(m_drives->drive());
        refreshDrives();
    }
}
