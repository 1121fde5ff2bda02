#include "support/LoopbackServer.h"
#include "support/MainFormFixture.h"
#include "support/MessageText.h"

#include "help/frmAbout.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;
using A = Platform::Answer;

namespace {

const QUrl homePage(u"https://home.example.org/dl/Ordrane.htm"_s);

QString cacheFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + u"/versions.txt"_s;
}

const QString englishDescription =
    u"This is a file manager to copy audio folders to a removable disk, e.g. USB memory stick.\n"
    u"It is assumed that folders contain mp3 files, e.g. represents one album each.\n"
    u"Often MP3 players using USB memory sticks play the folders in the order they were saved.\n"
    u"If several folders are selected for copy Windows doesn't necessarily do the copying in the "
    u"order\n"
    u"they were selected. This program copies the folders in the exact order they appear in the "
    u"list.\n\n"
    u"Written by the Ordrane developers, 2011-"_s;
const QString swedishDescription =
    u"Detta är ett program för att kopiera foldrar till en löstagbar disk, t.ex. ett USB minne.\n"
    u"Det förutsätts att varje folder innehåller mp3 filer som t.ex. representerar ett album "
    u"var.\n"
    u"MP3 spelare för USB minnen spelar ofta foldrarna i den ordning dom blev kopierade.\n"
    u"När flera foldrar markeras för kopiering är det inte säkert att Windows kopierar i den "
    u"ordning.\n"
    u"dom markerades. Detta program kopierar foldrarna i exakt samma ordning som dom visas i "
    u"listan.\n\n"
    u"Skrivet av Ordranes utvecklare, 2011-"_s;

} // namespace

class TestFrmAbout : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }
    void init()
    {
        QDir(cacheFile()).removeRecursively();
        QFile::remove(cacheFile());
    }

    void labelsAndDescription_data();
    void labelsAndDescription();
    void mailLink_data();
    void mailLink();
    void configuredLinksUseHttps();
    void versionCheck_data();
    void versionCheck();
    void openedFromTheHelpMenu();
};

void TestFrmAbout::labelsAndDescription_data()
{
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<QString>("versionDate");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("description"); // the author line ends in the year of the date
    QTest::addColumn<QString>("checkUpdate");
    QTest::addColumn<QString>("close");

    QTest::newRow("English") << false << u"September 2026"_s << u"About Ordrane"_s
                             << englishDescription + u"2026"_s << u"Check for Updates"_s
                             << u"Close"_s;
    QTest::newRow("Swedish") << true << u"Mar 2031"_s << u"Om Ordrane"_s
                             << swedishDescription + u"2031"_s << u"Sök Uppdatering"_s
                             << u"Stäng"_s;
}

void TestFrmAbout::labelsAndDescription()
{
    QFETCH(bool, swedish);
    QFETCH(QString, versionDate);
    QFETCH(QString, caption);
    QFETCH(QString, description);
    QFETCH(QString, checkUpdate);
    QFETCH(QString, close);

    MainFormFixture f;
    MainForm& w = f.start();
    f.m->Swedish = swedish;
    f.m->AppVersion = u"2.1"_s;
    f.m->VersionDate = versionDate;
    frmAbout about(*f.m, {{}, homePage, u"someone@example.org"_s}, &w);

    QCOMPARE(about.objectName(), u"frmAbout"_s);
    QCOMPARE(about.windowTitle(), caption);
    QCOMPARE(about.lblTitle->text(), u"Ordrane"_s);
    QCOMPARE(about.lblVersion->text(), u"Version 2.1"_s);
    QCOMPARE(about.lblDescription->text(), description);
    QCOMPARE(about.lblEmail->text(), u"someone@example.org"_s);
    QVERIFY(about.lblEmail->font().underline());
    QCOMPARE(about.CheckUpdate->text(), checkUpdate);
    QCOMPARE(about.cmdOK->text(), close);
    QVERIFY(about.cmdOK->isDefault());
    QVERIFY(!about.picIcon->pixmap().isNull());
}

void TestFrmAbout::mailLink_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("link");

    const QString to = u"someone@example.org"_s;
    QTest::newRow("plain address")
        << to << u"Ordrane"_s << QString() << u"mailto:"_s + to + u"?subject=Ordrane"_s;
    QTest::newRow("with MailTo: in other capitals")
        << u"MailTo:"_s + to << u"Ordrane"_s << QString()
        << u"MailTo:"_s + to + u"?subject=Ordrane"_s;
    QTest::newRow("no subject") << to << QString() << QString() << u"mailto:"_s + to;
    QTest::newRow("subject and body")
        << to << u"Ordrane"_s << u"Hello"_s << u"mailto:"_s + to + u"?subject=Ordrane&body=Hello"_s;
    QTest::newRow("body only") << to << QString() << u"Hello"_s
                               << u"mailto:"_s + to + u"?body=Hello"_s;
}

void TestFrmAbout::mailLink()
{
    QFETCH(QString, address);
    QFETCH(QString, subject);
    QFETCH(QString, body);
    QFETCH(QString, link);

    MainFormFixture f;
    MainForm& w = f.start();
    frmAbout about(*f.m, {}, &w);
    about.OpenMailLink(address, subject, body);

    QCOMPARE(f.platform->openedUrls(), QList<QUrl>{QUrl(link)});
}

void TestFrmAbout::configuredLinksUseHttps()
{
    const AboutLinks links = AboutLinks::configured();

    QCOMPARE(links.versionData.scheme(), u"https"_s);
    QCOMPARE(links.versionData.path(), u"/dl/swv.txt"_s);
    QCOMPARE(links.homePage.scheme(), u"https"_s);
    QVERIFY(links.contact.contains(u'@'));
}

void TestFrmAbout::versionCheck_data()
{
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<int>("status"); // 0: no server; -1: the downloaded file cannot be written
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("message"); // with a question about the home page, or OK only

    const QString goEnglish = u"\n\nGoto the Program Homepage for info ?"_s;
    const QString goSwedish = u"\n\nGå till programmets hemsida för info ?"_s;
    const QString latest = u"This is the latest version."_s;
    const QString missing = u"Data for this program not found."_s + goEnglish;

    QTest::newRow("no server") << false << 0 << QByteArray()
                               << u"Web Datafile not found."_s + goEnglish;
    QTest::newRow("file not written") << false << -1 << QByteArray("Ordrane:2.15")
                                      << u"Downloaded Datafile not foud."_s + goEnglish;
    QTest::newRow("entry in other capitals") << false << 200 << QByteArray("oRDRANE:2.1") << latest;
    QTest::newRow("nothing after the colon")
        << false << 200 << QByteArray("Ordrane:\r\n") << missing;
    QTest::newRow("empty file") << false << 200 << QByteArray() << missing;
    QTest::newRow("newer version") << false << 200 << QByteArray("Ordrane:2.15")
                                   << u"A newer version  ( 2.15 )  is available."_s + goEnglish;
    QTest::newRow("several programs, the first entry counts")
        << false << 200 << QByteArray("Alpha:9.0\r\nOrdrane:2.1,Ordrane:9.9\r\n\"Beta, X:1\"")
        << latest;
    QTest::newRow("Swedish, no server")
        << true << 0 << QByteArray() << u"Web datafil kunde inte hittas."_s + goSwedish;
    QTest::newRow("Swedish, no entry") << true << 200 << QByteArray("Alpha:1.0")
                                       << u"Data för detta program saknas."_s + goSwedish;
    QTest::newRow("Swedish, equal version")
        << true << 200 << QByteArray("Ordrane:2.1") << u"Detta är den senaste versionen."_s;
    QTest::newRow("Swedish, newer version")
        << true << 200 << QByteArray("Ordrane:3") << u"En ny version  ( 3 )  finns."_s + goSwedish;
}

void TestFrmAbout::versionCheck()
{
    QFETCH(bool, swedish);
    QFETCH(int, status);
    QFETCH(QByteArray, data);
    QFETCH(QString, message);
    const bool question = message.contains(u"\n\n"_s);

    for (const A answer : {A::No, A::Yes}) {
        if (!question && answer == A::Yes)
            continue;
        MainFormFixture f;
        MainForm& w = f.start();
        f.m->Swedish = swedish;
        f.m->AppVersion = u"2.1"_s;
        std::unique_ptr<LoopbackServer> server;
        if (status != 0)
            server = std::make_unique<LoopbackServer>(200, "OK", data);
        if (status < 0)
            QVERIFY(QDir().mkpath(cacheFile())); // a folder where the downloaded file should go
        const QUrl versionData =
            server ? server->url(u"/dl/swv.txt"_s) : LoopbackServer::refusingUrl(u"/dl/swv.txt"_s);
        frmAbout about(*f.m, {versionData, homePage, u"someone@example.org"_s}, &w);
        f.platform->answer(question ? answer : A::Ok);
        about.CheckUpdate_Click();

        const QString title = swedish ? u"Nuvarande version: 2.1"_s : u"Current Version: 2.1"_s;
        QCOMPARE(
            messageTexts(*f.platform),
            QStringList{title + u'|' + message + (question ? u"|YesNo|None"_s : u"|Ok|None"_s)});
        QCOMPARE(f.platform->openedUrls(),
                 answer == A::Yes ? QList<QUrl>{homePage} : QList<QUrl>());
        if (status == 200) {
            QFile kept(cacheFile());
            QVERIFY(kept.open(QIODevice::ReadOnly));
            QCOMPARE(kept.readAll(), data);
        }
    }
}

// Opened from the Help menu, the address clicked, then closed by the button, Esc or Enter.
void TestFrmAbout::openedFromTheHelpMenu()
{
    const QString contact = AboutLinks::configured().contact;
    for (const int key : {0, int(Qt::Key_Escape), int(Qt::Key_Return)}) {
        MainFormFixture f;
        MainForm& w = f.start();
        bool closed = false;
        QTimer::singleShot(0, &w, [&] {
            auto* about = qobject_cast<frmAbout*>(QApplication::activeModalWidget());
            QVERIFY(about);
            QCOMPARE(about->lblEmail->text(), contact);
            QCOMPARE(about->lblVersion->text(), u"Version "_s + f.m->AppVersion);
            QTest::mouseClick(about->lblEmail, Qt::LeftButton);
            if (key == 0)
                QTest::mouseClick(about->cmdOK, Qt::LeftButton);
            else
                QTest::keyClick(about, Qt::Key(key));
            closed = !about->isVisible();
            if (!closed)
                about->close();
        });
        w.Menu_About->trigger();

        QVERIFY(closed);
        QVERIFY(w.findChildren<frmAbout*>().isEmpty());
        QVERIFY(f.platform->messages().isEmpty());
        QCOMPARE(f.platform->openedUrls(),
                 QList<QUrl>{QUrl(u"mailto:"_s + contact + u"?subject=Ordrane"_s)});
    }
}

QTEST_MAIN(TestFrmAbout)
#include "tst_frmabout.moc"
