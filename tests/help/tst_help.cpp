#include "support/LoopbackServer.h"
#include "support/MainWindowFixture.h"
#include "support/MessageText.h"
#include "support/TestDir.h"

#include "help/AboutDialog.h"
#include "help/HelpWindow.h"
#include "help/VersionData.h"
#include "platform/Download.h"
#include "platform/QtPlatform.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

#include <utility>

using namespace Qt::StringLiterals;
using Kind = DownloadResult::Kind;

namespace {

// Triggers the menu item and, once its window is up, acts on it; closes it if still open.
template <class Window, class Act> void whileShown(QAction* item, Act act)
{
    bool shown = false;
    QTimer::singleShot(0, item, [&shown, &act] {
        auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
        QVERIFY(window);
        shown = true;
        act(*window);
        if (window->isVisible())
            window->close();
    });
    item->trigger();
    QVERIFY(shown);
}

} // namespace

// The help windows, the About window and its version check: the version data fetched into a
// file, then the program's entry read and compared.
class TestHelp : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        useTestModePaths();
        download::setHelperProgram(QStringLiteral(ORDRANE_FETCH));
    }

    void helpWindow_data();
    void helpWindow();
    void aboutFromTheHelpMenu();
    void messagesArePlainText();
    void download_data();
    void download();
    void versionEntry_data();
    void versionEntry();
    void versionCheck_data();
    void versionCheck();
};

void TestHelp::helpWindow_data()
{
    QTest::addColumn<bool>("onMenus");
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<int>("logRow"); // the row whose explanation names the data folder, or -1

    QTest::newRow("menus, English") << true << false << 14;
    QTest::newRow("menus, Swedish") << true << true << 14;
    QTest::newRow("shortcuts") << false << false << -1;
}

// Row 0 shows the instruction in bold; only the log file's row names the data folder. Esc in
// the list closes the window.
void TestHelp::helpWindow()
{
    QFETCH(bool, onMenus);
    QFETCH(bool, swedish);
    QFETCH(int, logRow);

    MainWindowFixture f;
    MainWindow& w = f.start();
    f.m->swedish = swedish;
    whileShown<HelpWindow>(
        onMenus ? child<QAction>(w, u"Menu_MenuHelp"_s)
                : child<QAction>(w, u"Menu_ShortcutsHelp"_s),
        [&](HelpWindow& form) {
            auto* rows = child<QListWidget>(form, u"List1"_s);
            const auto* explanation = child<QLabel>(form, u"Label1"_s);
            for (int row = rows->count() - 1; row >= 0; --row) {
                rows->setCurrentRow(row);
                QCOMPARE(explanation->font().bold(), row == 0);
                QCOMPARE(explanation->text().contains(u'(' + f.m->dataFolder + u")."_s),
                         row == logRow);
            }
            QTest::keyClick(rows, Qt::Key_Escape);
            QVERIFY(!form.isVisible());
        });
}

// The year the version was made, the address clicked, and mail links of other parts.
void TestHelp::aboutFromTheHelpMenu()
{
    MainWindowFixture f;
    MainWindow& w = f.start();
    f.m->versionDate = u"Mar 2031"_s;
    const QString to = u"someone@example.org"_s;
    whileShown<AboutDialog>(child<QAction>(w, u"Menu_About"_s), [&to](AboutDialog& about) {
        QVERIFY(child<QLabel>(about, u"lblDescription"_s)->text().endsWith(u", 2011-2031"_s));
        QTest::mouseClick(child<QLabel>(about, u"lblEmail"_s), Qt::LeftButton);
        about.OpenMailLink(u"MailTo:"_s + to, u"Ordrane"_s, u"Hello"_s);
        about.OpenMailLink(to, QString(), u"Hello"_s);
    });
    QCOMPARE(
        f.platform->openedUrls(),
        (QList<QUrl>{QUrl(u"mailto:"_s + AboutLinks::configured().contact + u"?subject=Ordrane"_s),
                     QUrl(u"MailTo:"_s + to + u"?subject=Ordrane&body=Hello"_s),
                     QUrl(u"mailto:"_s + to + u"?body=Hello"_s)}));
}

// A text that starts with a tag is shown as it is, in a message box and in the input box.
void TestHelp::messagesArePlainText()
{
    const QString name = u"<b>Best of</b>"_s;
    bool plain = false;
    const auto check = [&name, &plain] {
        QWidget* box = QApplication::activeModalWidget();
        QVERIFY(box);
        for (const QLabel* label : box->findChildren<QLabel*>())
            plain = plain || (label->text() == name && label->textFormat() == Qt::PlainText);
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

void TestHelp::download_data()
{
    // 0: no server; -1: a server that never answers; -2: one whose body never ends
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("why"); // "*" for any text the system gives

    const QByteArray full(download::defaultMaxBytes, 'x');
    QTest::newRow("exactly the limit") << 200 << full << Kind::Done << QString();
    QTest::newRow("404") << 404 << "no such page"_ba << Kind::HttpError << u"404 Not Found"_s;
    QTest::newRow("no server") << 0 << QByteArray() << Kind::NetworkError << u"*"_s;
    QTest::newRow("no answer") << -1 << QByteArray() << Kind::TimedOut
                               << u"No answer within 50 ms"_s;
    const QString tooLarge = u"More than 65536 bytes"_s;
    QTest::newRow("one byte over the limit") << 200 << full + 'x' << Kind::TooLarge << tooLarge;
    QTest::newRow("8 MiB") << 200 << QByteArray(8 << 20, 'x') << Kind::TooLarge << tooLarge;
    QTest::newRow("endless body") << -2 << QByteArray(100, 'x') << Kind::TooLarge << tooLarge;
    QTest::newRow("file that cannot be written") << 200 << full << Kind::NotWritten << u"*"_s;
    QTest::newRow("helper missing") << 200 << full << Kind::NetworkError << u"*"_s;
}

// A failed download leaves the earlier file as it was and writes nothing else.
void TestHelp::download()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(Kind, kind);
    QFETCH(QString, why);
    const QString file = kind == Kind::NotWritten ? u"missing/v.txt"_s : u"v.txt"_s;
    if (QByteArray(QTest::currentDataTag()) == "helper missing")
        download::setHelperProgram(u"/nonexistent/ordrane-fetch"_s);
    const auto helperBack =
        qScopeGuard([] { download::setHelperProgram(QStringLiteral(ORDRANE_FETCH)); });

    TestDir dir;
    dir.file(u"v.txt"_s, "earlier");
    std::unique_ptr<LoopbackServer> server;
    if (status > 0)
        server = std::make_unique<LoopbackServer>(status, status == 200 ? "OK" : "Not Found", body);
    else if (status < 0)
        server = status == -1 ? std::make_unique<LoopbackServer>() : LoopbackServer::endless(body);
    const QUrl url =
        server ? server->url(u"/dl/swv.txt"_s) : LoopbackServer::refusingUrl(u"/dl/swv.txt"_s);
    const DownloadResult result = download::toFile(
        url, dir(file), status == -1 ? std::chrono::milliseconds(50) : download::defaultTimeout);

    QCOMPARE(result.kind, kind);
    QVERIFY2(why == u"*"_s ? !result.reason.isEmpty() : result.reason == why,
             qPrintable(result.reason));
    QCOMPARE(contentOf(dir(u"v.txt"_s)), result.done() ? body : "earlier"_ba);
    QCOMPARE(QFile::exists(dir(file)), file == u"v.txt"_s);
}

void TestHelp::versionEntry_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<QString>>("version");
    QTest::addColumn<bool>("newer"); // than 2.15
    const std::optional<QString> none;

    QTest::newRow("commas, CRLF, CR and LF, empty items")
        << u"A:1,B:2\r\nC:3\rD:4\n,\r\nOrdrane:5"_s << std::optional(u"5"_s) << true;
    QTest::newRow("blanks before an item skipped, after it kept, behind the first colon")
        << u"A:1 ,\t Ordrane: 2.2:beta "_s << std::optional(u" 2.2:beta "_s) << true;
    QTest::newRow("the first item containing the title, in any capitals")
        << u"Alpha:1.0,My ORDRANE Lite:4.0,Ordrane:2.15"_s << std::optional(u"4.0"_s) << true;
    QTest::newRow("quoted items keep commas, drop what follows the quote")
        << u"\"Alpha, Pro:1.0\" Ordrane:9,\"Ordrane:2.3\""_s << std::optional(u"2.3"_s) << true;
    QTest::newRow("no digit stops the search") << u"Ordrane:beta\r\nOrdrane:2.0"_s << none << false;
    QTest::newRow("no colon") << u"Ordrane 2.2"_s << none << false;
    QTest::newRow("equal in value, blanks ignored")
        << u"Ordrane: 2 . 1 5"_s << std::optional(u" 2 . 1 5"_s) << false;
    QTest::newRow("a second point ends the number")
        << u"Ordrane:2.15.9"_s << std::optional(u"2.15.9"_s) << false;
    QTest::newRow("letter first is no number")
        << u"Ordrane:v9"_s << std::optional(u"v9"_s) << false;
}

void TestHelp::versionEntry()
{
    QFETCH(QString, text);
    QFETCH(std::optional<QString>, version);
    QCOMPARE(versiondata::programVersion(text, u"Ordrane"_s), version);
    if (version)
        QTEST(versiondata::isNewer(*version, u"2.15"_s), "newer");
}

void TestHelp::versionCheck_data()
{
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("message"); // a question about the home page has a blank line

    const QString go = u"\n\nGoto the Program Homepage for info ?"_s;
    QTest::newRow("no digit in the version")
        << false << QByteArray("Ordrane:beta") << u"Data for this program not found."_s + go;
    QTest::newRow("over the size limit")
        << false << "Ordrane:9.0," + QByteArray(1 << 20, ' ') << u"Web Datafile not found."_s + go;
    QTest::newRow("newer version") << false << QByteArray("Ordrane:2.15")
                                   << u"A newer version  ( 2.15 )  is available."_s + go;
    QTest::newRow("Swedish, newer version")
        << true << QByteArray("Ordrane:3")
        << u"En ny version  ( 3 )  finns.\n\nGå till programmets hemsida för info ?"_s;
}

// Yes to the question opens the home page.
void TestHelp::versionCheck()
{
    QFETCH(bool, swedish);
    QFETCH(QByteArray, data);
    QFETCH(QString, message);
    const bool question = message.contains(u"\n\n"_s);

    MainWindowFixture f;
    MainWindow& w = f.start();
    f.m->swedish = swedish;
    f.m->appVersion = u"2.1"_s;
    LoopbackServer server(200, "OK", data);
    const QUrl homePage(u"https://home.example.org/dl/Ordrane.htm"_s);
    AboutDialog about(*f.m, {server.url(u"/dl/swv.txt"_s), homePage, u"someone@example.org"_s}, &w);
    f.platform->answer(question ? Platform::Answer::Yes : Platform::Answer::Ok);
    child<QPushButton>(about, u"CheckUpdate"_s)->click();

    const QString title = swedish ? u"Nuvarande version: 2.1"_s : u"Current Version: 2.1"_s;
    QCOMPARE(messageTexts(*f.platform),
             QStringList{title + u'|' + message + (question ? u"|YesNo|None"_s : u"|Ok|None"_s)});
    QCOMPARE(f.platform->openedUrls(), question ? QList<QUrl>{homePage} : QList<QUrl>());
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
