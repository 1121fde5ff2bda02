#include "MultiFolderDialog.h"

#include "app/AppContext.h"
#include "mainwindow/SourceListPane.h"
#include "mainwindow/SourcePane.h"
#include "platform/FsError.h"
#include "resources/Pictures.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

MultiFolderDialog::MultiFolderDialog(AppContext& module, SourcePane& source, SourceListPane& list,
                                     QWidget* parent)
    : QDialog(parent)
    , m(module)
    , m_source(source)
    , m_list(list)
{
    setObjectName(u"MultiCopyForm"_s);
    setWindowTitle(u"Multiple Copy"_s);

    SourceFolderList = new QListWidget(this);
    SourceFolderList->setObjectName(u"SourceFolderList"_s);
    SourceFolderList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Label1 = new QLabel(u"<Esc> to exit or <Insert> to Copy Selected folders"_s, this);
    Label1->setObjectName(u"Label1"_s);
    Label1->setTextFormat(Qt::PlainText);
    Button_Transfer = new QPushButton(this);
    Button_Transfer->setObjectName(u"Button_Transfer"_s);
    Button_Transfer->setIcon(buttonPicture(ButtonPicture::AddSeveral));
    Button_Transfer->setIconSize(QSize(32, 32));
    Button_Transfer->setEnabled(false);
    Button_Cancel = new QPushButton(u"Cancel"_s, this);
    Button_Cancel->setObjectName(u"Button_Cancel"_s);
    // Enter in the list presses no button.
    Button_Transfer->setAutoDefault(false);
    Button_Cancel->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button_Transfer);
    buttons->addStretch(1);
    buttons->addWidget(Button_Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SourceFolderList, 1);
    layout->addWidget(Label1);
    layout->addLayout(buttons);
    resize(520, 420);

    // A list box's click is any change of its selection, by mouse, by keys or by the program,
    // and a click on an item that leaves the selection as it was.
    connect(SourceFolderList, &QListWidget::itemSelectionChanged, this,
            &MultiFolderDialog::SourceFolderList_Click);
    connect(SourceFolderList, &QListWidget::itemClicked, this,
            &MultiFolderDialog::SourceFolderList_Click);
    connect(Button_Transfer, &QPushButton::clicked, this,
            &MultiFolderDialog::Button_Transfer_Click);
    connect(Button_Cancel, &QPushButton::clicked, this, &MultiFolderDialog::Button_Cancel_Click);
    SourceFolderList->installEventFilter(this);
    SourceFolderList->setFocus();

    Form_Load();
}

void MultiFolderDialog::Form_Load()
{
    SourceFolderList->addItems(m_source.listedFolders());
    const int highlighted = m_source.highlightedRow();
    if (highlighted >= 0) {
        SourceFolderList->setCurrentRow(highlighted, QItemSelectionModel::ClearAndSelect);
        QCoreApplication::processEvents();
    } else {
        // No item is current until the user picks one, also once the list has the focus.
        SourceFolderList->setCurrentIndex(QModelIndex());
    }
    if (m.swedish) {
        setWindowTitle(u"Kopiera flera"_s);
        Button_Cancel->setText(u"Avbryt"_s);
        Label1->setText(u"<Esc> för att Avbryta eller <Insert> för att Kopiera valda foldrar"_s);
    }
}

void MultiFolderDialog::SourceFolderList_Click()
{
    Button_Transfer->setEnabled(true);
}

void MultiFolderDialog::SourceFolderList_KeyDown(int key, Qt::KeyboardModifiers shift)
{
    if (shift != Qt::NoModifier)
        return;
    if (key == Qt::Key_Escape)
        close();
    else if (key == Qt::Key_Insert && SourceFolderList->currentRow() >= 0)
        Button_Transfer_Click();
}

void MultiFolderDialog::Button_Cancel_Click()
{
    close();
}

void MultiFolderDialog::Button_Transfer_Click()
{
    int notFound = 0;
    QString notFoundText;
    // In list order, whatever the order of selecting.
    for (int i = 0; i < SourceFolderList->count(); ++i) {
        const QListWidgetItem* item = SourceFolderList->item(i);
        if (!item->isSelected())
            continue;
        const QString path = item->text();
        try {
            m_list.addFolder(path);
        } catch (const FsError&) {
            ++notFound;
            notFoundText += u'\n' + path;
        }
    }
    if (m_list.count() > 0)
        m_list.showTotal();

    if (notFound > 0) {
        QString report;
        if (notFound == 1)
            report = notFoundText + m.text(u" could not be found."_s, u" kunde inte hittas."_s);
        else
            report = m.text(u"The following folders could not be found:"_s,
                            u"Följande Foldrar kunde inte hittas:"_s) +
                     u'\n' + notFoundText;
        m_source.refreshFolders();
        m.message(u"Error"_s, report, Platform::Buttons::Ok, Platform::Icon::None);
    }
    close();
}

bool MultiFolderDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == SourceFolderList && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers shift =
            key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
        SourceFolderList_KeyDown(key->key(), shift);
        // Esc has closed the window; other keys go on to the list.
        return key->key() == Qt::Key_Escape && shift == Qt::NoModifier;
    }
    return QDialog::eventFilter(watched, event);
}
