#include "support/LoopbackServer.h"
#include "support/TestDir.h"

#include "platform/Download.h"

#include <QFile>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using Kind = DownloadResult::Kind;

class TestDownload : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void answers_data();
    void answers();
};

void TestDownload::answers_data()
{
    // 0: no server; -1: a server that never answers; -2: one whose body never ends
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("reason");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("file"); // where the data go, in the temporary folder
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("why"); // "*" for any text the system gives
    QTest::addColumn<QByteArray>(
        "content"); // of the file afterwards; an earlier one held "earlier"

    const QByteArray list = "Ordrane:2.15,\"Other, Tool:1.0\"\r\n";
    QTest::newRow("200 with data")
        << 200 << "OK"_ba << list << u"v.txt"_s << Kind::Done << QString() << list;
    QTest::newRow("404") << 404 << "Not Found"_ba
                         << "no such page"_ba << u"v.txt"_s << Kind::HttpError << u"404 Not Found"_s
                         << "earlier"_ba;
    QTest::newRow("no server") << 0 << QByteArray() << QByteArray() << u"v.txt"_s
                               << Kind::NetworkError << u"*"_s << "earlier"_ba;
    QTest::newRow("no answer") << -1 << QByteArray() << QByteArray() << u"v.txt"_s << Kind::TimedOut
                               << u"No answer within 50 ms"_s << "earlier"_ba;
    const QString tooLarge = u"More than 65536 bytes"_s;
    QTest::newRow("one byte over the limit")
        << 200 << "OK"_ba << QByteArray(download::defaultMaxBytes + 1, 'x') << u"v.txt"_s
        << Kind::TooLarge << tooLarge << "earlier"_ba;
    QTest::newRow("exactly the limit")
        << 200 << "OK"_ba << QByteArray(download::defaultMaxBytes, 'x') << u"v.txt"_s << Kind::Done
        << QString() << QByteArray(download::defaultMaxBytes, 'x');
    QTest::newRow("far over the limit") << 200 << "OK"_ba << QByteArray(8 << 20, 'x') << u"v.txt"_s
                                        << Kind::TooLarge << tooLarge << "earlier"_ba;
    QTest::newRow("a body that never ends")
        << -2 << QByteArray() << QByteArray(100, 'x') << u"v.txt"_s << Kind::TooLarge << tooLarge
        << "earlier"_ba;
    QTest::newRow("file that cannot be written") << 200 << "OK"_ba << list << u"missing/v.txt"_s
                                                 << Kind::NotWritten << u"*"_s << QByteArray();
}

void TestDownload::answers()
{
    QFETCH(int, status);
    QFETCH(QByteArray, reason);
    QFETCH(QByteArray, body);
    QFETCH(QString, file);
    QFETCH(Kind, kind);
    QFETCH(QString, why);
    QFETCH(QByteArray, content);

    TestDir dir;
    dir.file(u"v.txt"_s, "earlier");
    std::unique_ptr<LoopbackServer> server;
    if (status > 0)
        server = std::make_unique<LoopbackServer>(status, reason, body);
    else if (status == -1)
        server = std::make_unique<LoopbackServer>();
    else if (status == -2)
        server = LoopbackServer::endless(body);
    const QUrl url =
        server ? server->url(u"/dl/swv.txt"_s) : LoopbackServer::refusingUrl(u"/dl/swv.txt"_s);
    const DownloadResult result = download::toFile(
        url, dir(file), status == -1 ? std::chrono::milliseconds(50) : download::defaultTimeout);

    QCOMPARE(result.kind, kind);
    QCOMPARE(result.done(), kind == Kind::Done);
    if (why == u"*"_s)
        QVERIFY(!result.reason.isEmpty());
    else
        QCOMPARE(result.reason, why);
    QFile written(dir(file));
    QCOMPARE(written.open(QIODevice::ReadOnly) ? written.readAll() : QByteArray(), content);
    if (server)
        QCOMPARE(server->requests(), QList<QByteArray>{"/dl/swv.txt"});
}

QTEST_GUILESS_MAIN(TestDownload)
#include "tst_download.moc"
