#pragma once

#include <QString>

#include <optional>

// The version-data file on the program's web host: a comma-separated text whose items name
// programs and their latest versions, one item "Title:version" for each program.
namespace versiondata {

// The version text of the program's entry, the first item that contains the title (letter case
// ignored): everything behind the entry's first colon. The text is read item by item only as
// far as that entry, the way a comma-separated text is read: an item ends at a comma or a line
// end (CRLF, CR or LF) and blanks before it are skipped; an item in double quotes runs to its
// closing quote, commas and line ends included, and what follows the closing quote up to the
// next comma or line end is dropped. Nothing when no item contains the title or the entry has
// no colon or no digit behind it.
std::optional<QString> programVersion(const QString& text, const QString& title);

// The number a version text starts with, read with a point as the decimal separator; blanks
// anywhere are ignored and a text that does not start with a number counts as 0.
// "2.15" gives 2.15, " 2 .1x" 2.1, "v2" 0.
double versionValue(const QString& version);

// Whether the available version is newer than the running one: strictly greater as decimal
// numbers, so 2.15 is newer than 2.1, 2.9 newer than 2.15, and an equal version is not newer.
bool isNewer(const QString& available, const QString& running);

} // namespace versiondata
