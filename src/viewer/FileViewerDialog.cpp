#include "FileViewerDialog.h"

#include "app/AppContext.h"
#include "platform/Drives.h"
#include "platform/FileListBox.h"
#include "platform/FsError.h"
#include "platform/Paths.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

FileViewerDialog::FileViewerDialog(AppContext& module, QString folder, QStringList listedDrives,
                                   QWidget* parent)
    : QDialog(parent)
    , m(module)
    , m_folder(std::move(folder))
    , m_listedDrives(std::move(listedDrives))
{
    setObjectName(u"ViewFiles"_s);
    setWindowTitle(u"View / Play files:  "_s);

    File1 = new FileListBox(this);
    File1->setObjectName(u"File1"_s);
    Label1 = new QLabel(u"Enter or Double click on a file to play  -  Esc to exit"_s, this);
    Label1->setObjectName(u"Label1"_s);
    Label1->setTextFormat(Qt::PlainText);
    Button_OK = new QPushButton(u"&Close"_s, this);
    Button_OK->setObjectName(u"Button_OK"_s);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Label1);
    bottom->addStretch(1);
    bottom->addWidget(Button_OK);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(File1, 1);
    layout->addLayout(bottom);

    connect(File1, &QListWidget::itemDoubleClicked, this, &FileViewerDialog::File1_DblClick);
    connect(Button_OK, &QPushButton::clicked, this, &FileViewerDialog::Button_OK_Click);
    File1->installEventFilter(this);
    File1->setFocus();
}

bool FileViewerDialog::Form_Load()
{
    File1->setPattern(u"*.mp3"_s);
    const QString& folder = m_folder;
    const QString drive = driveOf(folder);
    try {
        if (drive.isEmpty())
            throw FsError(FsErrorKind::PathNotFound, folder);
        if (!m.drives().isReady(drive))
            throw FsError(FsErrorKind::DeviceUnavailable, folder);
        File1->setPath(folder);
    } catch (const FsError& e) {
        reportOpeningFailure(e.kind(), folder, drive);
        return false;
    }
    if (File1->listCount() == 0) {
        m.message(u"Error"_s,
                  folder + m.text(u"  doesn't contain any mp3-files."_s,
                                  u"  innehåller inga mp3-filer."_s),
                  Platform::Buttons::Ok, Platform::Icon::None);
        return false;
    }

    const QString name = paths::folderName(File1->path());
    if (m.swedish) {
        setWindowTitle(u"Visa / Spela filer:  "_s + name);
        Label1->setText(
            u"Tryck Enter eller Dubbelklicka på en fil för att spela upp  -  Esc för att stänga"_s);
        Button_OK->setText(u"&Stäng"_s);
    } else {
        setWindowTitle(u"View / Play files:  "_s + name);
    }
    // 8145 × 5760 twips, or what the texts need in this font.
    setFixedSize(QSize(543, 384).expandedTo(minimumSizeHint()));
    File1->setListIndex(0);
    return true;
}

QString FileViewerDialog::driveOf(const QString& folder) const
{
    // A medium pulled since the drive lists were read is gone from the drive table but still
    // stands in the lists: looked up there too, it is reported as not ready, and its folder is
    // not taken for a missing folder of the drive it was mounted on.
    QList<Volume> known = m.drives().volumes();
    for (const QString& mountPoint : m_listedDrives)
        known.append(Volume{mountPoint, {}, false, {}});
    const std::optional<Volume> volume = drives::volumeOf(known, folder);
    return volume ? volume->mountPoint : QString();
}

void FileViewerDialog::reportOpeningFailure(FsErrorKind kind, const QString& folder,
                                            const QString& drive)
{
    switch (kind) {
    case FsErrorKind::DeviceUnavailable:
        m.message(u"Error"_s,
                  m.text(u"Device "_s + drive + u" is not ready."_s,
                         u"Enhet "_s + drive + u" äe ej tillgänglig."_s),
                  Platform::Buttons::Ok, Platform::Icon::None);
        Q_EMIT driveNotReady();
        break;
    case FsErrorKind::PathNotFound:
        m.ShowPathNotFound(folder);
        Q_EMIT folderNotFound();
        break;
    default:
        m.message(u"Error"_s, m.text(u"Unknown error."_s, u"Okänt fel."_s), Platform::Buttons::Ok,
                  Platform::Icon::None);
        break;
    }
}

void FileViewerDialog::File1_DblClick()
{
    const QString file = paths::join(File1->path(), File1->list(File1->listIndex()));
    if (file.right(4).compare(u".mp3"_s, Qt::CaseInsensitive) != 0)
        return;
    // The player runs on its own; whether it could be started is not the viewer's concern.
    if (m.playerPath.isEmpty())
        m.platform().openUrl(QUrl::fromLocalFile(file));
    else
        m.platform().startProgram(m.playerPath, {file});
}

void FileViewerDialog::File1_KeyDown(int key, Qt::KeyboardModifiers)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        File1_DblClick();
    else if (key == Qt::Key_Escape)
        close();
}

void FileViewerDialog::Button_OK_Click()
{
    close();
}

bool FileViewerDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != File1 || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    File1_KeyDown(key->key(),
                  key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
    // Enter and Esc have been dealt with: the window must not press its button for them as well.
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
           key->key() == Qt::Key_Escape;
}
