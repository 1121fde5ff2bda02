#pragma once

#include "platform/Drives.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

// The pure parts of a copy run: the target path, the folder prefix, the comparison with the
// folders already in the target folder, the messages of the run and the size of the progress
// window. No widgets and no file system: the copy handler sequences these.
namespace copyplan {

struct Message {
    QString title;
    QString text;
};

// The highlighted target folder with a "/" at its end.
QString targetPath(const QString& highlightedFolder);

// The first prefix number of a run: walks the folders of the target folder from the last to the
// first and stops at the first whose name starts with a prefix ("05_" or "00_"); that number
// plus 1. 0 when no folder carries a prefix.
int firstPrefixNumber(const QStringList& targetList);

// The last two decimal digits of the number, with a leading 0: 7 gives "07", 100 gives "00". A
// negative number gives the digits of its value without the sign.
QString twoDigits(int number);

// The name of a Source List entry's folder: the text after the last "/". A drive root goes by
// the label of its volume, or when it has none by the last part of its mount point ("root" for
// "/"), so that it is never empty.
QString sourceFolderName(const QString& sourceEntry, const QList<Volume>& volumes);

// The name a source folder gets in the target folder: its own name (sourceFolderName), with the
// prefix in front when the prefix option is on.
QString targetFolderName(const QString& sourceEntry, bool prefixOn, int prefixNumber,
                         const QList<Volume>& volumes);

// The index of the first target folder name equal to the source folder's name (prefix off) or
// containing it (prefix on); -1 when none, always for an empty name. Letter case counts unless
// the target follows FAT rules.
int firstMatch(const QString& sourceName, const QStringList& targetNames, bool prefixOn,
               Qt::CaseSensitivity cs = Qt::CaseSensitive);

// Whether names on a file system of this type follow FAT rules: the file systems of sticks and
// memory cards that other systems share, also through FUSE ("fuseblk" of exFAT and NTFS drivers).
bool followsFatRules(const QString& fileSystem);

// The name as a FAT file system can hold it: each of " * : < > ? \ | and U+0001..U+001F becomes
// "_", and so does a byte that is not UTF-8 (such a volume stores names as Unicode); trailing
// blanks and dots are dropped; an empty result becomes "_".
QString fatSafeName(const QString& name);

// The names one folder's files are written under, in copying order: FAT-safe where the target
// follows FAT rules, and never the same twice there (without regard to case on FAT). A name met
// again gets " (2)", " (3)" ... before its extension.
class WrittenNames {
public:
    explicit WrittenNames(bool fatRules)
        : m_fatRules(fatRules)
    {
    }

    bool fatRules() const { return m_fatRules; }
    // The target refused a name: from now on names follow FAT rules.
    void useFatRules() { m_fatRules = true; }
    // The name the next file of this source name is written under; it is taken from then on.
    QString take(const QString& sourceName);

private:
    QString key(const QString& name) const;

    bool m_fatRules;
    QSet<QString> m_taken;
};

// Yes and No, question icon: Yes goes on without the confirmation, No ends the run.
Message fixedDriveWarning(bool swedish);
// OK and Cancel, question icon: Cancel ends the run.
Message confirmation(int folderCount, const QString& targetPath, bool targetIsRoot, bool swedish);
// OK and Cancel, question icon: OK accepts this source folder, Cancel ends the run. Also asked
// when two Source List folders would be written under one name.
Message sameNameQuestion(const QString& sourceName, bool swedish);
// OK and Cancel, question icon: OK accepts this source folder, Cancel ends the run.
Message similarNameQuestion(const QString& sourceName, const QString& targetName, const QString& nn,
                            bool swedish);
// OK, critical icon.
Message diskFull(const QString& driveText, bool swedish);
// OK, critical icon.
Message copyError(const QString& file, const QString& reason, bool swedish);
// OK, no icon.
Message canceled(bool swedish);
// OK, no icon. The list holds a line feed in front of every missing folder.
Message notFoundReport(int count, const QString& notFoundList, bool swedish);
// OK, critical icon.
Message logNotCreated(const QString& file, const QString& reason, bool swedish);
// The copy log could not be completed after the run: OK, exclamation icon.
Message logNotWritten(const QString& file, const QString& reason, bool swedish);

// The progress window's width and left edge for a folder label of the given width: never
// narrower than the Cancel button allows, centred over the main window.
struct Span {
    int left;
    int width;
};
Span fitProgressWindow(int labelWidth, int mainLeft, int mainWidth);

} // namespace copyplan
