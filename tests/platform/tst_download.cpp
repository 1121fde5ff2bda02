#include "support/LoopbackServer.h"
#include "support/TestDir.h"

#include "platform/Download.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;
using Kind = DownloadResult::Kind;

namespace {

QByteArray contentOf(const QString& file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return "<none>";
    return in.readAll();
}

} // namespace

class TestDownload : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void answers_data();
    void answers();
    void failureLeavesTheEarlierFile();
    void noServer();
    void serverThatNeverAnswers();
    void fileThatCannotBeWritten();
};

void TestDownload::answers_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("reason");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("why");
    QTest::addColumn<QByteArray>("file");

    QTest::newRow("200 with data")
        << 200 << QByteArray("OK") << QByteArray("Ordrane:2.15,\"Other, Tool:1.0\"\r\n")
        << Kind::Done << QString() << QByteArray("Ordrane:2.15,\"Other, Tool:1.0\"\r\n");
    QTest::newRow("200 empty") << 200 << QByteArray("OK") << QByteArray() << Kind::Done << QString()
                               << QByteArray();
    QTest::newRow("203 is a success too")
        << 203 << QByteArray("Non-Authoritative Information") << QByteArray("x") << Kind::Done
        << QString() << QByteArray("x");
    QTest::newRow("404") << 404 << QByteArray("Not Found") << QByteArray("no such page")
                         << Kind::HttpError << u"404 Not Found"_s << QByteArray("<none>");
    QTest::newRow("500") << 500 << QByteArray("Internal Server Error") << QByteArray()
                         << Kind::HttpError << u"500 Internal Server Error"_s
                         << QByteArray("<none>");
}

void TestDownload::answers()
{
    QFETCH(int, status);
    QFETCH(QByteArray, reason);
    QFETCH(QByteArray, body);
    QFETCH(Kind, kind);
    QFETCH(QString, why);
    QFETCH(QByteArray, file);

    TestDir dir;
    LoopbackServer server(status, reason, body);
    const DownloadResult result = download::toFile(server.url(u"/dl/swv.txt"_s), dir(u"v.txt"_s));

    QCOMPARE(result.kind, kind);
    QCOMPARE(result.done(), kind == Kind::Done);
    QCOMPARE(result.reason, why);
    QCOMPARE(contentOf(dir(u"v.txt"_s)), file);
    QCOMPARE(server.requests(), QList<QByteArray>{"/dl/swv.txt"});
}

void TestDownload::failureLeavesTheEarlierFile()
{
    TestDir dir;
    const QString file = dir.file(u"v.txt"_s, "earlier");
    LoopbackServer server(404, "Not Found", "gone");

    QCOMPARE(download::toFile(server.url(u"/dl/swv.txt"_s), file).kind, Kind::HttpError);
    QCOMPARE(contentOf(file), QByteArray("earlier"));
}

void TestDownload::noServer()
{
    TestDir dir;
    const DownloadResult result =
        download::toFile(LoopbackServer::refusingUrl(u"/dl/swv.txt"_s), dir(u"v.txt"_s));

    QCOMPARE(result.kind, Kind::NetworkError);
    QVERIFY(!result.reason.isEmpty());
    QVERIFY(!QFile::exists(dir(u"v.txt"_s)));
}

void TestDownload::serverThatNeverAnswers()
{
    TestDir dir;
    LoopbackServer server;
    const DownloadResult result = download::toFile(server.url(u"/dl/swv.txt"_s), dir(u"v.txt"_s),
                                                   std::chrono::milliseconds(50));

    QCOMPARE(result.kind, Kind::TimedOut);
    QCOMPARE(result.reason, u"No answer within 50 ms"_s);
    QCOMPARE(server.requests(), QList<QByteArray>{"/dl/swv.txt"});
    QVERIFY(!QFile::exists(dir(u"v.txt"_s)));
}

void TestDownload::fileThatCannotBeWritten()
{
    TestDir dir;
    LoopbackServer server(200, "OK", "Ordrane:2.15");
    const DownloadResult result =
        download::toFile(server.url(u"/dl/swv.txt"_s), dir(u"missing/v.txt"_s));

    QCOMPARE(result.kind, Kind::NotWritten);
    QVERIFY(!result.reason.isEmpty());
}

QTEST_GUILESS_MAIN(TestDownload)
#include "tst_download.moc"
