#include "DirListBox.h"

#include "Drives.h"
#include "Folders.h"
#include "FsError.h"
#include "Paths.h"
#include "resources/Pictures.h"

#include <QStyle>
#include <QStyledItemDelegate>

using namespace Qt::StringLiterals;

namespace {

constexpr int DepthRole = Qt::UserRole + 1;

// Draws each entry indented by its depth below the drive root, as a folder tree shows it.
class IndentingDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyleOptionViewItem indented = option;
        indented.rect.setLeft(option.rect.left() + indent(index));
        QStyledItemDelegate::paint(painter, indented, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(indent(index), 0);
    }

private:
    static int indent(const QModelIndex& index) { return index.data(DepthRole).toInt() * 12; }
};

// The mount point of the ready drive holding folder; throws when there is none.
QString readyMountPoint(const Drives& drives, const QString& folder)
{
    const auto volume = drives::volumeOf(drives.volumes(), folder);
    if (!volume || !drives.isReady(volume->mountPoint))
        throw FsError(FsErrorKind::DeviceUnavailable, folder);
    return volume->mountPoint;
}

} // namespace

DirListBox::DirListBox(const Drives& drives, QWidget* parent)
    : QListWidget(parent)
    , m_drives(drives)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new IndentingDelegate(this));
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { Q_EMIT entryActivated(row(item) - openRow() - 1); });
}

void DirListBox::setPath(const QString& folder)
{
    const QString mountPoint = readyMountPoint(m_drives, folder);
    const QString normal = paths::normalized(folder, mountPoint);
    const QStringList subfolders = folders::subfolders(normal);
    const bool changes = normal != m_path;
    display(normal, mountPoint, subfolders);
    if (changes)
        Q_EMIT changed();
}

QString DirListBox::parentFolder() const
{
    return drives::parentFolder(m_drives.volumes(), m_path);
}

QString DirListBox::list(int index) const
{
    if (index >= 0)
        return index < m_subfolders.size() ? m_subfolders[index] : QString();
    if (index == -1)
        return m_path;
    const int row = index + openRow() + 1;
    return row >= 0 ? m_ancestors[row] : QString();
}

int DirListBox::listIndex() const
{
    return currentRow() < 0 ? -1 : currentRow() - openRow() - 1;
}

void DirListBox::setListIndex(int index)
{
    setCurrentRow(index + openRow() + 1);
}

void DirListBox::refresh()
{
    const int index = listIndex();
    const QString mountPoint = readyMountPoint(m_drives, m_path);
    display(m_path, mountPoint, folders::subfolders(m_path));
    if (index < listCount())
        setListIndex(index);
}

void DirListBox::display(const QString& folder, const QString& mountPoint,
                         const QStringList& subfolders)
{
    m_path = folder;
    m_mountPoint = mountPoint;
    m_subfolders = subfolders;
    m_ancestors.clear();
    const QString root = drives::rootOf(mountPoint);
    if (folder != root) {
        m_ancestors.append(root);
        qsizetype at = root.size();
        while ((at = folder.indexOf(u'/', at)) > 0) {
            m_ancestors.append(folder.left(at));
            ++at;
        }
    }

    const QIcon& closed = listPicture(ListPicture::Folder);
    const QIcon& open = listPicture(ListPicture::OpenFolder);
    clear();
    int depth = 0;
    auto addRow = [&](const QString& text, const QIcon& icon) {
        auto* item = new QListWidgetItem(icon, text);
        item->setData(DepthRole, depth);
        addItem(item);
    };
    for (const QString& a : std::as_const(m_ancestors)) {
        addRow(a == root ? root : paths::folderName(a), open);
        ++depth;
    }
    addRow(folder == root ? root : paths::folderName(folder), open);
    ++depth;
    for (const QString& s : std::as_const(m_subfolders))
        addRow(paths::folderName(s), closed);
    setCurrentRow(openRow());
}
