#include "CopyPlan.h"

#include "platform/Paths.h"

using namespace Qt::StringLiterals;

namespace copyplan {

namespace {

// The number at the start of a short text: leading blanks skipped, an optional sign, then the
// digits up to the first other character. No digits at all is 0.
int leadingNumber(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    int value = 0;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
        value = value * 10 + (text[i].unicode() - u'0');
        ++i;
    }
    return negative ? -value : value;
}

} // namespace

QString targetPath(const QString& highlightedFolder)
{
    if (highlightedFolder.endsWith(u'/'))
        return highlightedFolder;
    return highlightedFolder + u'/';
}

int firstPrefixNumber(const QStringList& targetList)
{
    for (auto it = targetList.crbegin(); it != targetList.crend(); ++it) {
        const QString start = paths::folderName(*it).left(3);
        const int number = leadingNumber(start);
        if ((start.endsWith(u'_') && number != 0) || start == u"00_"_s)
            return number + 1;
    }
    return 0;
}

QString twoDigits(int number)
{
    const int lastTwo = (number < 0 ? -number : number) % 100;
    return QString::number(lastTwo).rightJustified(2, u'0');
}

QString sourceFolderName(const QString& sourceEntry, const QList<Volume>& volumes)
{
    if (!paths::isRoot(sourceEntry))
        return paths::folderName(sourceEntry);
    const std::optional<Volume> volume = drives::volumeOf(volumes, sourceEntry);
    if (volume && !volume->label.isEmpty())
        return volume->label;
    const QString name = paths::folderName(sourceEntry.chopped(1));
    return name.isEmpty() ? u"root"_s : name;
}

QString targetFolderName(const QString& sourceEntry, bool prefixOn, int prefixNumber,
                         const QList<Volume>& volumes)
{
    const QString name = sourceFolderName(sourceEntry, volumes);
    if (!prefixOn)
        return name;
    return twoDigits(prefixNumber) + u'_' + name;
}

int firstMatch(const QString& sourceName, const QStringList& targetNames, bool prefixOn,
               Qt::CaseSensitivity cs)
{
    if (sourceName.isEmpty())
        return -1;
    for (qsizetype i = 0; i < targetNames.size(); ++i) {
        const QString& target = targetNames[i];
        if (prefixOn ? target.contains(sourceName, cs) : target.compare(sourceName, cs) == 0)
            return int(i);
    }
    return -1;
}

bool followsFatRules(const QString& fileSystem)
{
    static const QStringList fat{u"vfat"_s, u"msdos"_s, u"exfat"_s,
                                 u"ntfs"_s, u"ntfs3"_s, u"fuseblk"_s};
    return fat.contains(fileSystem);
}

QString fatSafeName(const QString& name)
{
    QString safe = name;
    for (qsizetype i = 0; i < safe.size(); ++i) {
        const QChar c = safe[i];
        // A byte that is not UTF-8 stands as a lone surrogate (paths::fromNative).
        const bool strayByte = c.isLowSurrogate() && (i == 0 || !safe[i - 1].isHighSurrogate());
        if (strayByte || (c.unicode() >= 0x01 && c.unicode() <= 0x1F) ||
            QStringView(u"\"*:<>?\\|").contains(c))
            safe[i] = u'_';
    }
    while (safe.endsWith(u' ') || safe.endsWith(u'.'))
        safe.chop(1);
    return safe.isEmpty() ? u"_"_s : safe;
}

QString WrittenNames::key(const QString& name) const
{
    return m_fatRules ? name.toCaseFolded() : name;
}

QString WrittenNames::take(const QString& sourceName)
{
    const QString name = m_fatRules ? fatSafeName(sourceName) : sourceName;
    const qsizetype dot = name.lastIndexOf(u'.');
    const qsizetype stemEnd = dot > 0 ? dot : name.size();
    QString written = name;
    for (int n = 2; m_taken.contains(key(written)); ++n)
        written = name.left(stemEnd) + u" ("_s + QString::number(n) + u')' + name.mid(stemEnd);
    m_taken.insert(key(written));
    return written;
}

Message fixedDriveWarning(bool swedish)
{
    if (swedish)
        return {u"Intern Disk"_s,
                u"Du har valt att kopiera foldrar till en intern disk.\n\nVill du fortsätta ?"_s};
    return {u"Fixed Drive"_s, u"You have chosen to copy folders to a non removable disk.\n\n"
                              u"Do you really wish to continue ?"_s};
}

Message confirmation(int folderCount, const QString& targetPath, bool targetIsRoot, bool swedish)
{
    const bool several = folderCount > 1;
    QString text = (swedish ? u"Bekräfta kopiering av"_s : u"Confirm copying of"_s) + u' ' +
                   QString::number(folderCount);
    if (swedish)
        text += several ? u" foldrar"_s : u" folder"_s;
    else
        text += several ? u" folders"_s : u" folder"_s;
    text += (swedish ? u" till "_s : u" to "_s) + targetPath + u'.';
    if (!targetIsRoot)
        text += swedish ? u"\n\nNotera att målfoldern inte är diskens rotfolder !"_s
                        : u"\n\nNote that the target folder is not the root of the disk !"_s;
    return {swedish ? u"Kopiera Foldrar"_s : u"Copy Folders"_s, text};
}

Message sameNameQuestion(const QString& sourceName, bool swedish)
{
    if (swedish)
        return {u"Dublett folder"_s,
                u"Mål folder   "_s + sourceName +
                    u"   finns redan !\nOm du fortsätter kommer innehållet i källfoldern att "
                    u"läggas till i målfoldern och filer med samma namn skrivs över.\n\n"
                    u"Vill du fortsätta ?"_s};
    return {u"Duplicate folder"_s,
            u"Target folder   "_s + sourceName +
                u"   already exists !\nIf you continue the content of the source folder will be "
                u"added to the target folder and files with  the same name will be "
                u"overwritten.\n\nDo you want to continue ?"_s};
}

Message similarNameQuestion(const QString& sourceName, const QString& targetName, const QString& nn,
                            bool swedish)
{
    if (swedish)
        return {u"Dublett folder"_s,
                u"Källfolder:   "_s + sourceName + u"\nEn Målfolder med ett liknande namn   "_s +
                    targetName +
                    u"   finns redan !\nOm du fortsätter kommer Källfoldern att kopieras till "
                    u"Måldisken med prefix "_s +
                    nn + u".\n\nVill du fortsätta ?"_s};
    return {u"Duplicate folder"_s,
            u"Source Folder:   "_s + sourceName + u"\nA Target folder with similar name   "_s +
                targetName +
                u"   already exists !\nIf you continue the content of the folder will be copied "
                u"to the target disk with prefix "_s +
                nn + u".\n\nDo you want to continue ?"_s};
}

Message diskFull(const QString& driveText, bool swedish)
{
    if (swedish)
        return {u"Disk fel"_s, u"Disk "_s + driveText + u" är full."_s};
    return {u"Drive Error"_s, u"Drive "_s + driveText + u" is full."_s};
}

Message copyError(const QString& file, const QString& reason, bool swedish)
{
    if (swedish)
        return {u"Kopieringsfel"_s, u"Kunde inte kopiera  "_s + file + u'\n' + reason};
    return {u"Copy Error"_s, u"Could not copy  "_s + file + u'\n' + reason};
}

Message canceled(bool swedish)
{
    if (swedish)
        return {u"Avbruten Kopiering"_s,
                u"Kopieringen avbröts och den senast kopierade foldern är troligtvis inte "
                u"komplett."_s};
    return {u"Copying Canceled"_s,
            u"The copying was canceled the last copied folder may not be complete"_s};
}

Message notFoundReport(int count, const QString& notFoundList, bool swedish)
{
    if (count > 1)
        return {u"Error"_s, (swedish ? u"Följande Foldrar kunde inte hittas:"_s
                                     : u"The following folders could not be found:"_s) +
                                u'\n' + notFoundList};
    return {u"Error"_s,
            notFoundList + (swedish ? u" kunde inte hittas."_s : u" could not be found."_s)};
}

Message logNotCreated(const QString& file, const QString& reason, bool swedish)
{
    if (swedish)
        return {u"Kopieringsfel"_s, u"Kunde inte skapa kopieringsloggen  "_s + file + u'\n' +
                                        reason + u"\nIngenting kopierat."_s};
    return {u"Copy Error"_s,
            u"Could not create the copy log  "_s + file + u'\n' + reason + u"\nNothing copied."_s};
}

Message logNotWritten(const QString& file, const QString& reason, bool swedish)
{
    if (swedish)
        return {u"Kopieringsfel"_s, u"Kunde inte skriva kopieringsloggen  "_s + file + u'\n' +
                                        reason + u"\nLoggen sparades inte."_s};
    return {u"Copy Error"_s, u"Could not write the copy log  "_s + file + u'\n' + reason +
                                 u"\nThe log was not saved."_s};
}

Span fitProgressWindow(int labelWidth, int mainLeft, int mainWidth)
{
    // 145 is the Cancel button's width; 23 the margins around the label.
    const int width = labelWidth <= 145 ? 168 : labelWidth + 23;
    return {mainLeft + (mainWidth - width) / 2, width};
}

} // namespace copyplan
