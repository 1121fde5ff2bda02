#pragma once

#include <QDate>
#include <QFileDevice>
#include <QString>
#include <QStringList>

#include <memory>

// The file of a saved Source List and of a copy log: one folder per line, then the end line, the
// mp3 count line and the size line. Written as UTF-8 with CR LF, a folder whose name is not UTF-8
// as a "file://" URL that keeps its bytes; read with CR LF, CR or LF line ends, a line that is
// not UTF-8 being read as Windows-1252 (lists of older programs).
namespace sourcelistfile {

inline const QString EndLine = QStringLiteral("end ----------------------------------");

// The entries of a list: every line before the first one starting with "end" in any case.
// Throws FsError when the file cannot be read or is not a list (larger than 16 MiB, a line
// longer than 32 KiB, binary data).
QStringList readEntries(const QString& file);
// Every line of the file, the end line and the trailer included. Throws as readEntries.
QStringList readLines(const QString& file);

// Today's date as a file name takes it: the system's short date with "/" replaced by "-".
QString dateText(const QDate& day);
// The full path of the first free name "<date>_<n>.odr" in the folder, n counting from 1.
QString defaultName(const QString& folder, const QDate& day);

// Writes a list completely or not at all. Replace: the file appears, or replaces the one of its
// name, only when finish() succeeds. Exclusive: open() takes the name at once and fails when a
// file of that name exists (a log reserves its name for the whole run); a finish() that fails
// removes the file again.
class Writer final {
public:
    enum class Creation { Replace, Exclusive };

    explicit Writer(const QString& file, Creation creation = Creation::Replace);
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    // Throws FsError when the file cannot be created.
    void open();
    // A line break inside the folder's path is written as "?", so one entry stays one line; a
    // path that is not UTF-8 is written so that it reads back to its bytes.
    void addEntry(const QString& folder);
    // Writes the entries and the trailer, and puts the file on the medium. Throws FsError when
    // that fails.
    void finish(const QString& countText, const QString& sizeText);

private:
    void addLine(const QString& line);

    std::unique_ptr<QFileDevice> m_file;
    Creation m_creation;
    QByteArray m_text;
};

// A whole list in one call. Throws FsError as the Writer does.
void write(const QString& file, const QStringList& entries, const QString& countText,
           const QString& sizeText);

} // namespace sourcelistfile
