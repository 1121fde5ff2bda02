#include "SourcePane.h"

#include "NamedControls.h"
#include "app/AppContext.h"
#include "platform/DirListBox.h"
#include "platform/DriveListBox.h"
#include "platform/FsError.h"
#include "platform/Paths.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

SourcePane::SourcePane(AppContext& app, QWidget& parent)
    : QObject(&parent)
    , m(app)
    , m_browser(new FolderBrowser(app, u"Source"_s, parent))
    , m_folders(&m_browser->folderList())
    , m_up(pictureButton(u"SourceUpOneLevel"_s, ButtonPicture::UpOneLevel, &parent))
    , m_home(pictureButton(u"GoHome"_s, ButtonPicture::Home, &parent))
    , m_refresh(named(new QPushButton(&parent), u"RefreshSourceLists"_s))
    , m_addOne(pictureButton(u"CopyFolder"_s, ButtonPicture::AddOne, &parent))
    , m_addSeveral(pictureButton(u"CopyMultipleFolders"_s, ButtonPicture::AddSeveral, &parent))
    , m_refreshDrives(named(new QPushButton(&parent), u"RefreshDriveLists_0"_s))
{
    connect(&m_browser->driveList(), &DriveListBox::changed, this, &SourcePane::driveChanged);
    connect(m_folders, &DirListBox::changed, this, &SourcePane::folderChanged);
    connect(m_folders, &DirListBox::entryActivated, this,
            [this](int index) { m_browser->open(m_folders->list(index)); });
    connect(m_up, &QPushButton::clicked, this, &SourcePane::upOneLevel);
    connect(m_home, &QPushButton::clicked, this, &SourcePane::homeRequested);
    connect(m_refresh, &QPushButton::clicked, this, &SourcePane::refreshFolders);
    connect(m_addOne, &QPushButton::clicked, this, &SourcePane::addRequested);
    connect(m_addSeveral, &QPushButton::clicked, this, &SourcePane::addSeveralRequested);
    connect(m_refreshDrives, &QPushButton::clicked, this, &SourcePane::refreshDrives);

    // The list takes the focus from the left button only (see eventFilter).
    m_folders->setFocusPolicy(Qt::TabFocus);
    m_folders->installEventFilter(this);
    m_folders->viewport()->installEventFilter(this);
}

QLayout* SourcePane::createFoldersLayout()
{
    return m_browser->createLayout(m_refreshDrives, {m_up, m_home}, m_refresh);
}

QLayout* SourcePane::createAddButtonsLayout()
{
    auto* add = new QVBoxLayout;
    add->addStretch(1);
    add->addWidget(m_addOne);
    add->addWidget(m_addSeveral);
    add->addStretch(1);
    return add;
}

int SourcePane::addButtonsWidth() const
{
    return m_addOne->sizeHint().width();
}

void SourcePane::setTexts(bool swedish)
{
    const auto text = [swedish](const QString& english, const QString& svenska) {
        return swedish ? svenska : english;
    };
    m_refreshDrives->setText(text(u"Refresh Drives"_s, u"Uppdatera Diskar"_s));
    m_home->setText(text(u"Go Home"_s, u"Gå Hem"_s));
    m_refresh->setText(text(u"Refresh"_s, u"Uppdatera"_s));
    m_addOne->setToolTip(
        text(u"Select one folder from the Source disk"_s, u"Välj en folder från Källdisken"_s));
    m_addSeveral->setToolTip(text(u"Select muliple folders from the Source disk"_s,
                                  u"Välj flera foldrar från Källdisken"_s));
    m_refreshDrives->setToolTip(
        text(u"Refresh Source Drive List"_s, u"Uppdatera Källdisk-listan"_s));
    m_home->setToolTip(
        text(u"Go to Default Source Location"_s, u"Gå till Standard Plats för Källdisk"_s));
    m_refresh->setToolTip(
        text(u"Refresh the file count of the displayed path of the Source drive"_s,
             u"Uppdatera filräkning i visad sökväg på Källdisken"_s));
    m_up->setToolTip(text(u"Up one level"_s, u"Upp en nivå"_s));
}

void SourcePane::setPaneToolTip(const QString& text)
{
    m_folders->setToolTip(text);
}

QString SourcePane::folder() const
{
    return m_folders->path();
}

QString SourcePane::highlightedFolder() const
{
    return m_folders->list(m_folders->listIndex());
}

QStringList SourcePane::listedFolders() const
{
    QStringList folders;
    for (int i = 0; i < m_folders->listCount(); ++i)
        folders.append(m_folders->list(i));
    return folders;
}

int SourcePane::highlightedRow() const
{
    return m_folders->listIndex();
}

QStringList SourcePane::listedDrives() const
{
    const DriveListBox& drives = m_browser->driveList();
    QStringList mountPoints;
    for (int i = 0; i < drives.count(); ++i)
        mountPoints.append(drives.itemData(i).toString());
    return mountPoints;
}

FolderBrowser::StartPlace SourcePane::openAtStart(const QString& folder)
{
    return m_browser->openAtStart(folder);
}

void SourcePane::goTo(const QString& folder)
{
    m_browser->driveList().setDrive(m.fileSystem.driveName(folder));
    m_folders->setPath(folder);
}

bool SourcePane::reread(const QString& alreadyReported)
{
    return m_browser->reread(alreadyReported);
}

void SourcePane::refreshFolders()
{
    m_browser->reread();
    m_folders->setFocus();
}

void SourcePane::refreshDrives()
{
    DriveListBox& drives = m_browser->driveList();
    drives.refresh();
    drives.setFocus();
}

void SourcePane::upOneLevel()
{
    // At a drive's mount point Up opens the folder holding it, on the enclosing drive.
    const QString parent = m_folders->parentFolder();
    if (!parent.isEmpty())
        m_browser->open(parent);
    m_folders->setListIndex(-1);
    m_folders->setFocus();
}

void SourcePane::focusFolders()
{
    m_folders->setFocus();
}

void SourcePane::setHomeEnabled(bool enabled)
{
    m_home->setEnabled(enabled);
}

void SourcePane::driveChanged()
{
    DriveListBox& drives = m_browser->driveList();
    try {
        m_folders->setPath(drives::rootOf(drives.mountPoint()));
    } catch (const FsError&) {
        m.ShowDriveNotReady(drives.drive());
        m_browser->keepFolder();
    }
}

void SourcePane::folderChanged()
{
    m_browser->driveList().showDrive(m_folders->mountPoint());
    m_up->setEnabled(!m_folders->parentFolder().isEmpty());
}

bool SourcePane::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == m_folders->viewport()) {
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
            type != QEvent::MouseButtonRelease)
            return false;
        // The right button acts on the entry already highlighted: the list neither moves its
        // highlight nor takes the focus for it, so it never sees that button.
        const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
        if (type != QEvent::MouseButtonRelease) {
            if (button == Qt::LeftButton)
                m_folders->setFocus(Qt::MouseFocusReason);
            if (button == Qt::RightButton) {
                m.activePane = Pane::SourceFolders;
                Q_EMIT menuRequested();
            }
        }
        return button == Qt::RightButton;
    }
    if (watched != m_folders)
        return false;
    if (type == QEvent::FocusIn) {
        // The focus coming back from the pop-up menu, before its item acts, is not the user
        // entering the pane: the menu may have been opened on another one.
        if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            m.activePane = Pane::SourceFolders;
    } else if (type == QEvent::KeyPress) {
        // The keys are not taken away from the list: its own handling follows. Except Space:
        // there it is a type-ahead search, which matches the indentation of the entries and
        // would move the highlight the pop-up menu and viewer act on.
        const auto* key = static_cast<QKeyEvent*>(event);
        keyDown(key->key(),
                key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
        return key->key() == Qt::Key_Space;
    }
    return false;
}

void SourcePane::keyDown(int key, Qt::KeyboardModifiers shift)
{
    if (key == Qt::Key_Insert && shift == Qt::ControlModifier) {
        Q_EMIT addSeveralRequested();
        return;
    }
    if (shift != Qt::NoModifier)
        return;
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Right:
        m_browser->open(highlightedFolder());
        break;
    case Qt::Key_Space:
        Q_EMIT menuRequested();
        break;
    case Qt::Key_Left:
        upOneLevel();
        break;
    case Qt::Key_Insert:
        Q_EMIT addRequested();
        break;
    default:
        break;
    }
}
