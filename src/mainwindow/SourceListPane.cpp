#include "SourceListPane.h"

#include "ListIndex.h"
#include "NamedControls.h"
#include "app/AppContext.h"
#include "app/SizeText.h"
#include "platform/FileListBox.h"
#include "platform/FsError.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

SourceListPane::SourceListPane(AppContext& app, QWidget& parent)
    : QObject(&parent)
    , m(app)
    , m_list(named(new QListWidget(&parent), u"SourceList"_s))
    , m_remove(pictureButton(u"RemoveSourceFolder"_s, ButtonPicture::Remove, &parent))
    , m_clear(named(new QPushButton(&parent), u"ClearSourceList"_s))
    , m_totalCaption(named(new QLabel(&parent), u"Label_TotalSize"_s))
    , m_total(named(new QLabel(&parent), u"TotalSize"_s))
    , m_showFiles(named(new QLabel(&parent), u"Label_ShowFiles"_s))
    , m_copy(pictureButton(u"CopyFolders"_s, ButtonPicture::Copy, &parent))
    , m_progress(named(new QProgressBar(&parent), u"ProgressBar1"_s))
    , m_mp3Files(named(new FileListBox(&parent), u"TempFiles"_s))
{
    m_remove->setEnabled(false);
    m_clear->setEnabled(false);
    m_showFiles->setVisible(false);
    m_copy->setIconSize(QSize(32, 32));
    m_copy->setEnabled(false);
    m_progress->hide();
    m_mp3Files->setPattern(u"*.mp3"_s);
    m_mp3Files->hide();

    // A list box's click is any selection of an item: by mouse, by keys or by the program.
    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] {
        if (listIndex(m_list) >= 0)
            m_remove->setEnabled(true);
    });
    // A click on the entry already selected changes no selection, but is a click all the same.
    connect(m_list, &QListWidget::itemClicked, this, [this] {
        if (m_pressOnSelected)
            m_remove->setEnabled(true);
    });
    connect(m_remove, &QPushButton::clicked, this, &SourceListPane::removeSelected);
    connect(m_clear, &QPushButton::clicked, this, &SourceListPane::clearRequested);
    connect(m_copy, &QPushButton::clicked, this, &SourceListPane::copyRequested);

    // The list takes the focus from the left button only (see eventFilter).
    m_list->setFocusPolicy(Qt::TabFocus);
    m_list->installEventFilter(this);
    m_list->viewport()->installEventFilter(this);
    m_list->viewport()->setAcceptDrops(true);
}

QLayout* SourceListPane::createListLayout()
{
    auto* totals = new QHBoxLayout;
    totals->addWidget(m_totalCaption);
    totals->addWidget(m_total);
    totals->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_remove);
    buttons->addWidget(m_clear);
    buttons->addWidget(m_showFiles);
    buttons->addStretch(1);
    auto* list = new QVBoxLayout;
    list->addLayout(totals);
    list->addWidget(m_list, 1);
    list->addLayout(buttons);
    return list;
}

QLayout* SourceListPane::createCopyRow()
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(m_copy);
    row->addWidget(m_progress, 1);
    row->addStretch(1);
    return row;
}

void SourceListPane::setTexts(bool swedish)
{
    const auto text = [swedish](const QString& english, const QString& svenska) {
        return swedish ? svenska : english;
    };
    m_totalCaption->setText(
        text(u"Total size of files to copy:"_s, u"Sammanlagd storlek av filer att kopiera:"_s));
    m_showFiles->setText(text(u"Right click on a folder to show files"_s,
                              u"Högerklicka på en folder för att visa filer"_s));
    m_clear->setText(text(u"Clear"_s, u"Rensa"_s));
    m_clear->setToolTip(text(u"Remove all folders from the Source List"_s,
                             u"Ta bort alla foldrar från Käll-listan"_s));
    m_copy->setToolTip(
        text(u"Copy all folders from the Source List to the selected path on the Target drive"_s,
             u"Kopiera alla foldrar från Käll-listan till vald sökväg på Måldisken"_s));
    m_remove->setToolTip(text(u"Remove the selected folder from the Source List"_s,
                              u"Ta bort den valda foldern från Käll-listan"_s));
}

void SourceListPane::setPaneToolTip(const QString& text)
{
    m_list->setToolTip(text);
}

int SourceListPane::count() const
{
    return m_list->count();
}

QStringList SourceListPane::folders() const
{
    QStringList folders;
    for (int i = 0; i < m_list->count(); ++i)
        folders.append(m_list->item(i)->text());
    return folders;
}

QString SourceListPane::folderAt(int row) const
{
    return m_list->item(row)->text();
}

QString SourceListPane::highlightedFolder() const
{
    return listIndex(m_list) < 0 ? QString() : m_list->currentItem()->text();
}

double SourceListPane::totalBytes() const
{
    return m_totalBytes;
}

QString SourceListPane::totalText() const
{
    return m_total->text();
}

bool SourceListPane::checkDuplicate(const QString& path)
{
    if (m_list->findItems(path, Qt::MatchExactly | Qt::MatchCaseSensitive).isEmpty())
        return true;
    const auto answer = m.message(
        m.text(u"Duplicate folder"_s, u"Existerande folder"_s),
        m.text(u"The folder  "_s + path + u"  already exists.\n\nDo you want to copy it anyway ?"_s,
               u"Folder  "_s + path + u"  finns redan.\n\nVill du kopiera den ändå ?"_s),
        Platform::Buttons::YesNo, Platform::Icon::Question);
    return answer == Platform::Answer::Yes;
}

bool SourceListPane::addFolder(const QString& path)
{
    QString refusal;
    if (m.fileSystem.folderSize(path) == 0) {
        refusal =
            m.text(u" is empty and will not be copied !"_s, u" är tom och kan inte kopieras !"_s);
    } else {
        m_mp3Files->setPath(path);
        if (m_mp3Files->listCount() == 0)
            refusal = m.text(u" does not contain any mp3-files and will not be copied !"_s,
                             u" innehåller inga mp3-filer och kan inte kopieras !"_s);
    }
    if (!refusal.isEmpty()) {
        m.message(m.text(u"Empty Folder"_s, u"Tom Folder"_s), path + refusal, Platform::Buttons::Ok,
                  Platform::Icon::Information);
        return false;
    }
    if (!checkDuplicate(path))
        return false;
    // Measured before the entry goes in, so that a folder gone in the meantime is not listed
    // without its size.
    addMeasured(path, m.fileSystem.folderSize(path));
    return true;
}

void SourceListPane::addMeasured(const QString& path, qint64 bytes)
{
    m_list->addItem(path);
    m_totalBytes += double(bytes);
}

void SourceListPane::showTotal()
{
    m_total->setText(FormatWithPrefix(m_totalBytes, u"B"_s, 103));
    // This also enables the copy button when the list fits on the target.
    Q_EMIT totalChanged();
    m_showFiles->setVisible(true);
    m_clear->setEnabled(true);
    Q_EMIT savingPossible(true);
}

void SourceListPane::removeSelected()
{
    const int idx = listIndex(m_list);
    if (idx < 0)
        return;
    delete m_list->takeItem(idx);

    // A listed folder that has vanished is dropped without a word.
    m_totalBytes = 0;
    for (int i = 0; i < m_list->count();) {
        try {
            m_totalBytes += double(m.fileSystem.folderSize(m_list->item(i)->text()));
            ++i;
        } catch (const FsError&) {
            delete m_list->takeItem(i);
        }
    }
    m_total->setText(FormatWithPrefix(m_totalBytes, u"B"_s, 103));
    Q_EMIT totalChanged();

    m_remove->setEnabled(false);
    const int count = m_list->count();
    if (count == 0) {
        m_showFiles->setVisible(false);
        m_copy->setEnabled(false);
        m_clear->setEnabled(false);
        Q_EMIT savingPossible(false);
        Q_EMIT emptied();
        return;
    }
    // Selecting raises the list's click, which enables the remove button again. The list may
    // have selected a neighbour of the removed item itself, so the selection is made anew.
    m_list->clearSelection();
    m_list->setCurrentRow(idx < count ? idx : count - 1);
    m_list->setFocus();
}

void SourceListPane::clear()
{
    m_list->clear();
    m_totalBytes = 0;
    m_total->clear();
    Q_EMIT totalChanged();
    m_showFiles->setVisible(false);
    m_remove->setEnabled(false);
    m_clear->setEnabled(false);
    Q_EMIT savingPossible(false);
    m_copy->setEnabled(false);
}

void SourceListPane::setFits(bool fits)
{
    if (!fits)
        m_copy->setEnabled(false);
    else if (m_list->count() > 0)
        m_copy->setEnabled(true);
}

void SourceListPane::startCopying()
{
    m_copy->hide();
    QCoreApplication::processEvents();
    m_progress->show();
}

void SourceListPane::showProgress(int written, int total)
{
    m_progress->setMaximum(total);
    m_progress->setValue(written);
}

void SourceListPane::removeAt(int row)
{
    delete m_list->takeItem(row);
}

void SourceListPane::endCopying()
{
    m_progress->hide();
    m_copy->show();
}

void SourceListPane::remeasure()
{
    m_totalBytes = 0;
    for (int i = 0; i < m_list->count(); ++i) {
        try {
            m_totalBytes += double(m.fileSystem.folderSize(m_list->item(i)->text()));
        } catch (const FsError&) {
            // A folder gone meanwhile is reported by the next run.
        }
    }
    if (m_list->count() > 0)
        m_total->setText(FormatWithPrefix(m_totalBytes, u"B"_s, 103));
    else
        m_total->clear();
}

void SourceListPane::followList()
{
    const bool left = m_list->count() > 0;
    Q_EMIT savingPossible(left);
    m_clear->setEnabled(left);
    m_showFiles->setVisible(left);
    if (!left)
        m_copy->setEnabled(false);
    m_remove->setEnabled(false);
}
