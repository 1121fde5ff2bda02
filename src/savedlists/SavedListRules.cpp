#include "SavedListRules.h"

#include "platform/Folders.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace savedlists {

namespace {

const QString Extension = u".odr"_s;

qint64 countMp3In(const QString& folder)
{
    return folders::files(folder, u"*.mp3"_s).size();
}

} // namespace

qint64 countMp3TwoLevels(const QString& folder)
{
    qint64 count = countMp3In(folder);
    for (const QString& subfolder : folders::subfolders(folder))
        count += countMp3In(subfolder);
    return count;
}

QString withExtension(const QString& typed)
{
    if (typed.endsWith(Extension, Qt::CaseInsensitive))
        return typed;
    return typed + Extension;
}

bool isValidFileName(const QString& name)
{
    if (name.contains(u'/') || name.contains(QChar(0)))
        return false;
    QString stem = name;
    if (stem.endsWith(Extension, Qt::CaseInsensitive))
        stem.chop(Extension.size());
    stem = stem.trimmed();
    return !stem.isEmpty() && stem != u"."_s && stem != u".."_s;
}

Message recallSummary(int recalled, int empty, int notFound, bool swedish)
{
    QStringList lines;
    Message summary;
    const bool several = empty + notFound > 1;
    if (swedish) {
        if (empty == 1)
            lines.append(u"1 tom folder ej återskapad."_s);
        else if (empty > 1)
            lines.append(QString::number(empty) + u" tomma foldrar ej återskapade."_s);
        if (notFound == 1)
            lines.append(u"1 folder ej hittad."_s);
        else if (notFound > 1)
            lines.append(QString::number(notFound) + u" foldrar ej hittade."_s);
        if (recalled == 0)
            lines.append(u"Inga foldrar återskapade."_s);
        summary.title = several ? u"Ej återskapade foldrar"_s : u"Ej återskapad"_s;
    } else {
        if (empty > 0)
            lines.append(QString::number(empty) + u" empty folder"_s +
                         (empty > 1 ? u"s"_s : u""_s) + u" not recalled."_s);
        if (notFound > 0)
            lines.append(QString::number(notFound) + u" folder"_s +
                         (notFound > 1 ? u"s"_s : u""_s) + u" not found."_s);
        if (recalled == 0)
            lines.append(u"No Folders Recalled."_s);
        summary.title = several ? u"Not recalled Folders"_s : u"Not recalled Folder"_s;
    }
    summary.text = lines.join(u'\n');
    return summary;
}

} // namespace savedlists
