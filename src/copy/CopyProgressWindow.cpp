#include "CopyProgressWindow.h"

#include "CopyPlan.h"
#include "app/AppContext.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

CopyProgressWindow::CopyProgressWindow(AppContext& m, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Tool)
    , Button_CancelCopy(new QPushButton(u"Cancel Copy"_s, this))
    , Label2(new QLabel(u"Now Copying:"_s, this))
    , Label1(new QLabel(u"XXX"_s, this))
    , m(m)
    , m_mainWindow(mainWindow)
{
    setObjectName(u"ActionForm"_s);
    setWindowTitle(QString());
    resize(161, 90);

    Button_CancelCopy->setObjectName(u"Button_CancelCopy"_s);
    Button_CancelCopy->setGeometry(8, 56, 145, 25);

    Label2->setObjectName(u"Label2"_s);
    QFont bold = Label2->font();
    bold.setBold(true);
    Label2->setFont(bold);
    Label2->setGeometry(8, 8, 209, 17);

    Label1->setObjectName(u"Label1"_s);
    Label1->setTextFormat(Qt::PlainText);
    Label1->move(8, 32);
    Label1->adjustSize();

    connect(Button_CancelCopy, &QPushButton::clicked, this,
            &CopyProgressWindow::Button_CancelCopy_Click);

    Form_Load();
}

void CopyProgressWindow::Form_Load()
{
    const QPoint main = m_mainWindow->pos();
    move(main.x() + 460, main.y() + 333);
    if (m.swedish) {
        Label2->setText(u"Nu kopieras:"_s);
        Button_CancelCopy->setText(u"Avbryt kopiering"_s);
    }
}

void CopyProgressWindow::Button_CancelCopy_Click()
{
    m.cancelRequested = true;
    Button_CancelCopy->setEnabled(false);
}

void CopyProgressWindow::setDeleting()
{
    Label2->setText(m.text(u"Now Deleting:"_s, u"Nu Raderas:"_s));
    Button_CancelCopy->hide();
}

void CopyProgressWindow::showFolder(const QString& folder, const QWidget& mainWindow)
{
    Label1->setText(folder);
    Label1->adjustSize();
    const QRect main = mainWindow.frameGeometry();
    const copyplan::Span span =
        copyplan::fitProgressWindow(Label1->width(), main.x(), main.width());
    // Left and width are the outer ones, frame included, as the main window's.
    const int frame = frameGeometry().width() - width();
    resize(span.width - frame, height());
    move(span.left, y());
    QCoreApplication::processEvents();
}

void CopyProgressWindow::closeEvent(QCloseEvent* event)
{
    if (!Button_CancelCopy->isHidden() && Button_CancelCopy->isEnabled())
        Button_CancelCopy_Click();
    event->ignore();
}
