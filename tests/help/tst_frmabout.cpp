#include "support/LoopbackServer.h"
#include "support/MainFormFixture.h"
#include "support/MessageText.h"

#include "help/frmAbout.h"
#include "platform/QtPlatform.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;
using A = Platform::Answer;

namespace {

const QUrl homePage(u"https://home.example.org/dl/Ordrane.htm"_s);

QString cacheFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + u"/versions.txt"_s;
}

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

    void mailLink_data();
    void mailLink();
    void messagesArePlainText();
    void versionCheck_data();
    void versionCheck();
    void openedFromTheHelpMenu();
};

void TestFrmAbout::mailLink_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("link");

    const QString to = u"someone@example.org"_s;
    QTest::newRow("MailTo: in other capitals kept")
        << u"MailTo:"_s + to << u"Ordrane"_s << QString()
        << u"MailTo:"_s + to + u"?subject=Ordrane"_s;
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
    f.m->VersionDate = u"Mar 2031"_s;
    frmAbout about(*f.m, {}, &w);
    QVERIFY(about.lblDescription->text().endsWith(u", 2011-2031"_s));
    about.OpenMailLink(address, subject, body);

    QCOMPARE(f.platform->openedUrls(), QList<QUrl>{QUrl(link)});
}

// A name that looks like markup is shown as it is, in a message box and in the input box.
void TestFrmAbout::messagesArePlainText()
{
    const QString name = u"<b>Best of</b>"_s;
    bool plain = false;
    const auto check = [&name, &plain] {
        QWidget* box = QApplication::activeModalWidget();
        const auto labels = box ? box->findChildren<QLabel*>() : QList<QLabel*>();
        plain = std::any_of(labels.begin(), labels.end(), [&name](QLabel* label) {
            return label->text() == name && label->textFormat() == Qt::PlainText;
        });
        if (box)
            box->close();
    };
    QtPlatform platform;
    QTimer::singleShot(0, this, check);
    platform.message(u"Ordrane"_s, name, Platform::Buttons::Ok, Platform::Icon::None);
    QVERIFY(std::exchange(plain, false));
    QTimer::singleShot(0, this, check);
    QCOMPARE(platform.inputBox(u"Ordrane"_s, name, QString()), std::nullopt);
    QVERIFY(plain);
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
    QTest::newRow("no digit in the version")
        << false << 200 << QByteArray("Ordrane:beta") << missing;
    QTest::newRow("over the size limit")
        << false << 200 << "Ordrane:9.0," + QByteArray(1 << 20, ' ')
        << u"Web Datafile not found."_s + goEnglish;
    QTest::newRow("newer version") << false << 200 << QByteArray("Ordrane:2.15")
                                   << u"A newer version  ( 2.15 )  is available."_s + goEnglish;
    QTest::newRow("equal version") << false << 200 << QByteArray("Ordrane:2.10") << latest;
    QTest::newRow("Swedish, no server")
        << true << 0 << QByteArray() << u"Web datafil kunde inte hittas."_s + goSwedish;
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
    }
}

// Opened from the Help menu, the address clicked, then closed by Esc.
void TestFrmAbout::openedFromTheHelpMenu()
{
    MainFormFixture f;
    MainForm& w = f.start();
    bool closed = false;
    QTimer::singleShot(0, &w, [&closed] {
        auto* about = qobject_cast<frmAbout*>(QApplication::activeModalWidget());
        QVERIFY(about);
        QTest::mouseClick(about->lblEmail, Qt::LeftButton);
        QTest::keyClick(about, Qt::Key_Escape);
        closed = !about->isVisible();
        if (!closed)
            about->close();
    });
    w.Menu_About->trigger();

    QVERIFY(closed);
    QCOMPARE(
        f.platform->openedUrls(),
        QList<QUrl>{QUrl(u"mailto:"_s + AboutLinks::configured().contact + u"?subject=Ordrane"_s)});
}

QTEST_MAIN(TestFrmAbout)
#include "tst_frmabout.moc"
