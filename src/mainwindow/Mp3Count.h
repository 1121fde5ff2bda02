#pragma once

#include <QString>

// The mp3 files of a folder, of its subfolders and of their subfolders; deeper levels are not
// counted. A folder that cannot be read is skipped. Links are not followed.
qint64 countMp3ThreeLevels(const QString& folder);
