#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QUrl>

// Path rules of the program. A drive root ends in "/"; other folders never do.
namespace paths {

// File names are bytes. Bytes that are not UTF-8 become lone surrogates U+DC80..U+DCFF, one per
// byte, so that toNative gives the exact bytes back; the windows draw such a character as the
// replacement character.
QString fromNative(QByteArrayView bytes);
QByteArray toNative(const QString& path);
// The path of a file: URL by its bytes (a dropped folder); empty for any other URL.
QString fromFileUrl(const QUrl& url);

// Whether a name matches a pattern such as "*.mp3", by the name's bytes: "*" stands for any run of
// characters, "?" for one; letters A to Z match in either case.
bool matchesWildcard(QByteArrayView name, QByteArrayView pattern);

bool isRoot(const QString& folder);
// Adds "/" between folder and name only when the folder does not already end in it.
QString join(const QString& folder, const QString& name);
// The text after the last "/".
QString folderName(const QString& path);
// The text up to and including the last "/": "/media/usb/Music" gives "/media/usb/".
QString cutAfterLastSlash(const QString& path);
// The form a folder takes in the program: a drive root keeps its "/", others lose a trailing one.
QString normalized(const QString& folder, const QString& mountPoint);

// Natural name order: digit runs compare by value, the rest ignoring letter case, ties by the
// exact text. "Track 2" < "Track 10", "a.mp3" < "B.mp3".
bool naturalLess(const QString& a, const QString& b);
int naturalCompare(const QString& a, const QString& b);
void sortNaturally(QStringList& names);

} // namespace paths
