#pragma once

#include <QString>

// The pure parts of saving and recalling Source Lists: the mp3 count written into a saved list,
// the rules for a new file name, and the summary of a recall. No widgets.
namespace savedlists {

struct Message {
    QString title;
    QString text;
};

// The mp3 files directly in the folder and directly in each of its immediate subfolders, as the
// folder and file lists show them; deeper levels are not counted. Throws FsError when the folder
// or one of its subfolders cannot be read.
qint64 countMp3TwoLevels(const QString& folder);

// The name typed for a rename with ".odr" appended, unless it already ends in ".odr" in any case.
QString withExtension(const QString& typed);
// A name (extension included) that can be a file in the data folder: no "/", and what stands
// before the extension is not empty after trimming, "." or "..".
bool isValidFileName(const QString& name);

// The message after a recall that left folders out. empty and notFound are the folders of size 0
// and the lines that are no folder; recalled the folders found with content. Shown only when
// empty or notFound is above 0.
Message recallSummary(int recalled, int empty, int notFound, bool swedish);

} // namespace savedlists
