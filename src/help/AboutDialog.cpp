#include "AboutDialog.h"

#include "WebLinks.h"
#include "app/AppContext.h"
#include "help/VersionData.h"
#include "platform/Download.h"
#include "resources/Pictures.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

const QString programTitle = u"Ordrane"_s;

QString readText(const QString& file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(in.readAll());
}

} // namespace

AboutLinks AboutLinks::configured()
{
    return {QUrl(QString::fromUtf8(weblinks::versionData)),
            QUrl(QString::fromUtf8(weblinks::homePage)), QString::fromUtf8(weblinks::contact)};
}

AboutDialog::AboutDialog(AppContext& module, AboutLinks links, QWidget* parent)
    : QDialog(parent)
    , m(module)
    , m_links(std::move(links))
{
    setObjectName(u"frmAbout"_s);

    picIcon = new QLabel(this);
    picIcon->setObjectName(u"picIcon"_s);
    picIcon->setPixmap(applicationIcon().pixmap(32, 32));
    picIcon->setAlignment(Qt::AlignCenter);
    picIcon->setFixedSize(36, 36);
    lblTitle = new QLabel(this);
    lblTitle->setObjectName(u"lblTitle"_s);
    lblVersion = new QLabel(this);
    lblVersion->setObjectName(u"lblVersion"_s);
    lblDescription = new QLabel(this);
    lblDescription->setObjectName(u"lblDescription"_s);
    lblEmail = new QLabel(m_links.contact, this);
    lblEmail->setObjectName(u"lblEmail"_s);
    lblEmail->setTextFormat(Qt::PlainText);
    QFont underlined = lblEmail->font();
    underlined.setUnderline(true);
    lblEmail->setFont(underlined);
    lblEmail->setCursor(Qt::PointingHandCursor);
    lblEmail->installEventFilter(this);
    Line1 = new QFrame(this);
    Line1->setObjectName(u"Line1"_s);
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    CheckUpdate = new QPushButton(u"Check for Updates"_s, this);
    CheckUpdate->setObjectName(u"CheckUpdate"_s);
    cmdOK = new QPushButton(u"Close"_s, this);
    cmdOK->setObjectName(u"cmdOK"_s);
    cmdOK->setDefault(true);

    auto* email = new QHBoxLayout;
    email->addWidget(lblEmail);
    email->addStretch(1);
    auto* texts = new QVBoxLayout;
    texts->addWidget(lblTitle);
    texts->addWidget(lblVersion);
    texts->addSpacing(16);
    texts->addWidget(lblDescription);
    texts->addSpacing(8);
    texts->addLayout(email);
    auto* top = new QHBoxLayout;
    top->addWidget(picIcon, 0, Qt::AlignTop);
    top->addSpacing(16);
    top->addLayout(texts, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CheckUpdate);
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Line1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(CheckUpdate, &QPushButton::clicked, this, &AboutDialog::CheckUpdate_Click);
    connect(cmdOK, &QPushButton::clicked, this, &AboutDialog::cmdOK_Click);

    Form_Load();
}

void AboutDialog::Form_Load()
{
    lblTitle->setText(programTitle);
    lblVersion->setText(u"Version "_s + m.appVersion);
    setWindowTitle(m.text(u"About "_s, u"Om "_s) + programTitle);
    const QString description =
        m.text(u"This is a file manager to copy audio folders to a removable disk, e.g. USB "
               u"memory stick.\n"
               u"It is assumed that folders contain mp3 files, e.g. represents one album each.\n"
               u"Often MP3 players using USB memory sticks play the folders in the order they "
               u"were saved.\n"
               u"If several folders are selected for copy Windows doesn't necessarily do the "
               u"copying in the order\n"
               u"they were selected. This program copies the folders in the exact order they "
               u"appear in the list."_s,
               u"Detta är ett program för att kopiera foldrar till en löstagbar disk, t.ex. ett "
               u"USB minne.\n"
               u"Det förutsätts att varje folder innehåller mp3 filer som t.ex. representerar "
               u"ett album var.\n"
               u"MP3 spelare för USB minnen spelar ofta foldrarna i den ordning dom blev "
               u"kopierade.\n"
               u"När flera foldrar markeras för kopiering är det inte säkert att Windows "
               u"kopierar i den ordning.\n"
               u"dom markerades. Detta program kopierar foldrarna i exakt samma ordning som dom "
               u"visas i listan."_s);
    const QString author = m.text(u"Written by the Ordrane developers, 2011-"_s,
                                  u"Skrivet av Ordranes utvecklare, 2011-"_s) +
                           m.versionDate.right(4);
    lblDescription->setText(description + u"\n\n"_s + author);
    if (m.swedish) {
        CheckUpdate->setText(u"Sök Uppdatering"_s);
        cmdOK->setText(u"Stäng"_s);
    }
}

void AboutDialog::lblEmail_Click()
{
    OpenMailLink(m_links.contact, programTitle, QString());
}

void AboutDialog::OpenMailLink(const QString& address, const QString& subject, const QString& body)
{
    QString link = address;
    if (link.left(7).toLower() != u"mailto:"_s)
        link = u"mailto:"_s + link;
    if (!subject.isEmpty())
        link += u"?subject="_s + subject;
    if (!body.isEmpty())
        link += (subject.isEmpty() ? u"?"_s : u"&"_s) + u"body="_s + body;
    m.platform().openUrl(QUrl(link));
}

void AboutDialog::CheckUpdate_Click()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    QDir().mkpath(folder);
    const QString file = folder + u"/versions.txt"_s;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const DownloadResult download = download::toFile(m_links.versionData, file);
    QApplication::restoreOverrideCursor();

    const QString title = m.text(u"Current Version: "_s, u"Nuvarande version: "_s) + m.appVersion;
    QString message;
    if (download.kind == DownloadResult::Kind::NotWritten)
        message = m.text(u"Downloaded Datafile not foud."_s,
                         u"Den nedladdade datafilen kunde inte hittas."_s);
    else if (!download.done())
        message = m.text(u"Web Datafile not found."_s, u"Web datafil kunde inte hittas."_s);
    else
        message = versionCheckMessage(file);
    if (message.isEmpty()) {
        m.message(title,
                  m.text(u"This is the latest version."_s, u"Detta är den senaste versionen."_s),
                  Platform::Buttons::Ok, Platform::Icon::None);
        return;
    }
    const auto answer = m.message(title,
                                  message + u"\n\n"_s +
                                      m.text(u"Goto the Program Homepage for info ?"_s,
                                             u"Gå till programmets hemsida för info ?"_s),
                                  Platform::Buttons::YesNo, Platform::Icon::None);
    if (answer == Platform::Answer::Yes)
        m.platform().openUrl(m_links.homePage);
}

QString AboutDialog::versionCheckMessage(const QString& file) const
{
    // An empty or unreadable file has no entry either.
    const std::optional<QString> available =
        versiondata::programVersion(readText(file), programTitle);
    if (!available)
        return m.text(u"Data for this program not found."_s, u"Data för detta program saknas."_s);
    if (!versiondata::isNewer(*available, m.appVersion))
        return {};
    return m.text(u"A newer version  ( "_s + *available + u" )  is available."_s,
                  u"En ny version  ( "_s + *available + u" )  finns."_s);
}

void AboutDialog::cmdOK_Click()
{
    close();
}

bool AboutDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lblEmail && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        lblEmail_Click();
    return QDialog::eventFilter(watched, event);
}
