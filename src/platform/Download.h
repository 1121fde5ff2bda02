#pragma once

#include <QString>
#include <QUrl>

#include <chrono>

// How fetching a web address into a local file ended.
struct DownloadResult {
    enum class Kind {
        Done,         // an HTTP 2xx answer, its body written to the file
        NetworkError, // no connection, no such host, a broken transfer
        HttpError,    // the server answered with a status other than 2xx
        TimedOut,     // no complete answer within the time-out
        NotWritten,   // the answer came but the file could not be written
        TooLarge,     // the body ran past the size limit; reading stopped there
    };
    Kind kind = Kind::Done;
    // Why it failed, in the network's or the file system's words, or the HTTP status.
    QString reason;

    bool done() const { return kind == Kind::Done; }
};

namespace download {

inline constexpr std::chrono::milliseconds defaultTimeout = std::chrono::seconds(15);
inline constexpr qint64 defaultMaxBytes = 64 * 1024;

// Fetches the address with a GET and writes the body to the file, which is replaced
// completely or left as it was. A body longer than maxBytes is not read past the limit: the
// transfer is aborted and the file left as it was. The caller waits: the thread's other
// events run meanwhile, but no user input. The network is reached through the helper program
// ordrane-fetch, so that Ordrane itself does not load the network libraries at start.
DownloadResult toFile(const QUrl& url, const QString& file,
                      std::chrono::milliseconds timeout = defaultTimeout,
                      qint64 maxBytes = defaultMaxBytes);

// Where the helper is, for programs that are neither beside it nor installed with it (tests).
void setHelperProgram(const QString& path);

} // namespace download
