#include "support/MainFormFixture.h"
#include "support/MessageText.h"

#include "app/SizeText.h"
#include "platform/DirListBox.h"
#include "savedlists/SourceListFile.h"
#include "savedlists/ViewSavedFilesForm.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;
using A = Platform::Answer;

namespace {

// Acts on each viewer as it runs modally with the next step; a viewer no step is left for is
// closed. Counts the viewers shown.
class Viewers {
public:
    using Step = std::function<void(ViewSavedFilesForm&)>;

    explicit Viewers(QList<Step> steps)
        : m_steps(std::move(steps))
    {
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { poll(); });
        m_timer.start(0);
    }

    int shown() const { return m_shown; }

private:
    void poll()
    {
        auto* viewer = qobject_cast<ViewSavedFilesForm*>(QApplication::activeModalWidget());
        if (!viewer || !viewer->isVisible())
            return;
        ++m_shown;
        if (m_steps.isEmpty())
            viewer->Button_Close->click();
        else
            m_steps.takeFirst()(*viewer);
    }

    QList<Step> m_steps;
    QTimer m_timer;
    int m_shown = 0;
};

const Viewers::Step recallIt = [](ViewSavedFilesForm& v) {
    v.Button_RecallFile->click();
};
const Viewers::Step deleteIt = [](ViewSavedFilesForm& v) {
    v.Menu_DeleteFile->trigger();
};
const Viewers::Step renameIt = [](ViewSavedFilesForm& v) {
    v.Menu_RenameFile->trigger();
};

QStringList items(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

QByteArray contentOf(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace

class TestRecallSourceList : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }
    void openDialog_data();
    void openDialog();
    void deleteQuestion_data();
    void deleteQuestion();
    void deleteYesThenNoOnAnother();
    void viewerClosedBringsTheDialogBack_data();
    void viewerClosedBringsTheDialogBack();
    void unknownError_data();
    void unknownError();
    void rename_data();
    void rename();
    void renameOntoExistingFile_data();
    void renameOntoExistingFile();
    void renameToInvalidName_data();
    void renameToInvalidName();
    void recallIntoEmptyList_data();
    void recallIntoEmptyList();
    void recallReplacingTheList_data();
    void recallReplacingTheList();
    void recallAddingToTheList_data();
    void recallAddingToTheList();
    void cancelInTheQuestion();
    void foldersLeftOut_data();
    void foldersLeftOut();
    void nothingRecalledIntoAFullList();
    void listWithoutEntries_data();
    void listWithoutEntries();
    void copyLogRecalledInCopyOrder();
    void listOfAnOlderProgram();
    void unreadableFileBringsTheDialogBack();
    void fileGoneBeforeRecallKeepsTheList();

private:
    // Albums Abba (100 bytes), Björk (200) and Cure (300) and the empty folder Empty on drive E
    // below Music, target drive F with the given free space, an empty data folder.
    struct Setup {
        MainFormFixture f;
        MainForm* w = nullptr;
        QString data;
    };
    static void prepare(Setup& s, qint64 freeSpace = 1'000'000);
    static QString album(Setup& s, const QString& name) { return s.f.dir(u"E/Music/"_s + name); }
    // Adds albums to the Source List with Insert.
    static void insert(Setup& s, const QStringList& names);
    // A saved list in the data folder naming the albums.
    static QString savedList(Setup& s, const QString& fileName, const QStringList& names);
};

void TestRecallSourceList::prepare(Setup& s, qint64 freeSpace)
{
    s.f.addDrive(u"E"_s, true);
    s.f.drives->setFreeSpace(s.f.addDrive(u"F"_s, true), freeSpace);
    s.f.dir.file(u"E/Music/Abba/01.mp3"_s, QByteArray(100, 'a'));
    s.f.dir.file(u"E/Music/Björk/01.mp3"_s, QByteArray(200, 'b'));
    s.f.dir.file(u"E/Music/Cure/01.mp3"_s, QByteArray(300, 'c'));
    s.f.dir.mkdir(u"E/Music/Empty"_s);
    s.f.store(u"SourcePath"_s, s.f.dir(u"E/Music"_s));
    s.f.store(u"TargetPath"_s, s.f.dir(u"F"_s));
    s.w = &s.f.start();
    s.w->show();
    s.data = s.f.dir.mkdir(u"Data"_s);
    s.w->DataFolder = s.data;
}

void TestRecallSourceList::insert(Setup& s, const QStringList& names)
{
    for (const QString& name : names) {
        s.w->SourceFolderList->setPath(album(s, name));
        QTest::keyClick(s.w->SourceFolderList, Qt::Key_Insert);
    }
}

QString TestRecallSourceList::savedList(Setup& s, const QString& fileName, const QStringList& names)
{
    QStringList entries;
    for (const QString& name : names)
        entries.append(album(s, name));
    const QString file = s.data + u'/' + fileName;
    sourcelistfile::write(file, entries, u"3"_s, u"  600 B"_s);
    return file;
}

void TestRecallSourceList::openDialog_data()
{
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<QString>("title");

    QTest::newRow("English") << false << u"Saved Source File List"_s;
    QTest::newRow("Swedish") << true << u"Sparad Källfil-lista"_s;
}

void TestRecallSourceList::openDialog()
{
    QFETCH(bool, swedish);
    QFETCH(QString, title);

    Setup s;
    prepare(s);
    s.f.m->Swedish = swedish;
    s.f.platform->answerFileDialog(std::nullopt);
    Viewers viewers({});
    s.w->Menu_ShowSavedSourceList->trigger();

    QCOMPARE(s.f.platform->fileDialogs().size(), 1);
    const Platform::FileDialog& dialog = s.f.platform->fileDialogs()[0];
    QCOMPARE(dialog.title, title);
    QCOMPARE(dialog.folder, s.data);
    QCOMPARE(dialog.fileName, QString());
    QCOMPARE(dialog.filter, u"OrdraneFiles (*.odr)"_s);
    QCOMPARE(viewers.shown(), 0);
    QVERIFY(s.f.platform->messages().isEmpty());
    QVERIFY(!s.w->SkipClearConfirmation);
}

void TestRecallSourceList::deleteQuestion_data()
{
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<A>("answer");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("deleted");

    const QString english = u"Delete File|Are you sure you want to delete the file:  "
                            u"2024-12-05_1.odr  from the disk ?|YesNo|Question"_s;
    QTest::newRow("No") << false << A::No << english << false;
    QTest::newRow("Yes") << false << A::Yes << english << true;
    QTest::newRow("Swedish, Yes") << true << A::Yes
                                  << u"Radera fil|Är säker på att radera filen:  "
                                     u"2024-12-05_1.odr  från disken ?|YesNo|Question"_s
                                  << true;
}

void TestRecallSourceList::deleteQuestion()
{
    QFETCH(bool, swedish);
    QFETCH(A, answer);
    QFETCH(QString, message);
    QFETCH(bool, deleted);

    Setup s;
    prepare(s);
    s.f.m->Swedish = swedish;
    const QString file = savedList(s, u"2024-12-05_1.odr"_s, {u"Abba"_s});
    s.f.platform->answerFileDialog(file);
    s.f.platform->answerFileDialog(std::nullopt);
    s.f.platform->answer(answer);
    Viewers viewers({deleteIt});
    s.w->Menu_ShowSavedSourceList_Click();

    QCOMPARE(viewers.shown(), 1);
    QCOMPARE(messageTexts(*s.f.platform), QStringList{message});
    QCOMPARE(QFile::exists(file), !deleted);
    // The open dialog comes back.
    QCOMPARE(s.f.platform->fileDialogs().size(), 2);
    QCOMPARE(s.w->SourceList->count(), 0);
}

void TestRecallSourceList::deleteYesThenNoOnAnother()
{
    Setup s;
    prepare(s);
    const QString first = savedList(s, u"First.odr"_s, {u"Abba"_s});
    const QString second = savedList(s, u"Second.odr"_s, {u"Cure"_s});
    s.f.platform->answerFileDialog(first);
    s.f.platform->answerFileDialog(second);
    s.f.platform->answerFileDialog(std::nullopt);
    s.f.platform->answer(A::Yes);
    s.f.platform->answer(A::No);
    Viewers viewers({deleteIt, deleteIt});
    s.w->Menu_ShowSavedSourceList_Click();

    QCOMPARE(viewers.shown(), 2);
    QCOMPARE(s.f.platform->messages().size(), 2);
    QCOMPARE(filesIn(s.data), QStringList{u"Second.odr"_s});
}

void TestRecallSourceList::viewerClosedBringsTheDialogBack_data()
{
    QTest::addColumn<QString>("action");

    QTest::newRow("Close button") << u"Button_Close"_s;
    QTest::newRow("Close Window item") << u"Menu_Close"_s;
    QTest::newRow("Esc in the list") << u"Esc"_s;
    QTest::newRow("title bar's close") << u"title bar"_s;
}

void TestRecallSourceList::viewerClosedBringsTheDialogBack()
{
    QFETCH(QString, action);

    Setup s;
    prepare(s);
    const QString file = savedList(s, u"2024-12-05_1.odr"_s, {u"Abba"_s});
    s.f.platform->answerFileDialog(file);
    s.f.platform->answerFileDialog(std::nullopt);
    Viewers viewers({[&](ViewSavedFilesForm& v) {
        if (action == u"Esc"_s)
            QTest::keyClick(v.FileContent, Qt::Key_Escape);
        else if (action == u"title bar"_s)
            v.close();
        else if (auto* button = v.findChild<QPushButton*>(action))
            button->click();
        else
            v.findChild<QAction*>(action)->trigger();
    }});
    s.w->Menu_ShowSavedSourceList_Click();

    QCOMPARE(viewers.shown(), 1);
    QCOMPARE(s.f.platform->fileDialogs().size(), 2);
    QVERIFY(s.f.platform->messages().isEmpty());
    QVERIFY(QFile::exists(file));
    QCOMPARE(s.w->SourceList->count(), 0);
}

void TestRecallSourceList::unknownError_data()
{
    QTest::addColumn<bool>("renamed"); // else deleted
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<QString>("message");

    QTest::newRow("file gone before its deletion")
        << false << false << u"ERROR|Unknown error with:  \nNothing saved.|Ok|None"_s;
    QTest::newRow("file gone before its deletion, Swedish")
        << false << true << u"ERROR|Okänt fel med:  \nIngenting sparat.|Ok|None"_s;
    QTest::newRow("rename into a data folder that is gone")
        << true << false << u"ERROR|Unknown error with:  Party.odr\nNothing saved.|Ok|None"_s;
}

void TestRecallSourceList::unknownError()
{
    QFETCH(bool, renamed);
    QFETCH(bool, swedish);
    QFETCH(QString, message);

    Setup s;
    prepare(s);
    s.f.m->Swedish = swedish;
    const QString file = savedList(s, u"2024-12-05_1.odr"_s, {u"Abba"_s});
    s.f.platform->answerFileDialog(file);
    s.f.platform->answerFileDialog(std::nullopt);
    if (renamed) {
        s.w->DataFolder = s.data + u"/Gone"_s;
        s.f.platform->answerInputBox(u"Party"_s);
    } else {
        s.f.platform->answer(A::Yes);
    }
    s.f.platform->answer(A::Ok);
    Viewers viewers({[&](ViewSavedFilesForm& v) {
        if (renamed) {
            v.Menu_RenameFile->trigger();
        } else {
            QFile::remove(file);
            v.Menu_DeleteFile->trigger();
        }
    }});
    s.w->Menu_ShowSavedSourceList_Click();

    QCOMPARE(messageTexts(*s.f.platform).last(), message);
    QCOMPARE(s.f.platform->unansweredLeft(), 0);
    QCOMPARE(filesIn(s.data), renamed ? QStringList{u"2024-12-05_1.odr"_s} : QStringList{});
    QCOMPARE(s.f.platform->fileDialogs().size(), 2);
}

void TestRecallSourceList::rename_data()
{
    QTest::addColumn<bool>("elsewhere"); // the file is chosen outside the data folder
    QTest::addColumn<std::optional<QString>>("typed");
    QTest::addColumn<QStringList>("dataFiles"); // afterwards

    QTest::newRow("Party") << false << std::optional<QString>(u"Party"_s)
                           << QStringList{u"Party.odr"_s};
    QTest::newRow("Party.ODR keeps its extension")
        << false << std::optional<QString>(u"Party.ODR"_s) << QStringList{u"Party.ODR"_s};
    QTest::newRow("empty answer") << false << std::optional<QString>(QString())
                                  << QStringList{u"2024-12-05_1.odr"_s};
    QTest::newRow("input box cancelled")
        << false << std::optional<QString>() << QStringList{u"2024-12-05_1.odr"_s};
    QTest::newRow("its own name") << false << std::optional<QString>(u"2024-12-05_1"_s)
                                  << QStringList{u"2024-12-05_1.odr"_s};
    QTest::newRow("chosen in another folder moves into the data folder")
        << true << std::optional<QString>(u"Party"_s) << QStringList{u"Party.odr"_s};
}

void TestRecallSourceList::rename()
{
    QFETCH(bool, elsewhere);
    QFETCH(std::optional<QString>, typed);
    QFETCH(QStringList, dataFiles);

    Setup s;
    prepare(s);
    QString file = savedList(s, u"2024-12-05_1.odr"_s, {u"Abba"_s});
    const QByteArray content = contentOf(file);
    if (elsewhere) {
        const QString moved = s.f.dir.mkdir(u"Lists"_s) + u"/2024-12-05_1.odr"_s;
        QVERIFY(QFile::rename(file, moved));
        file = moved;
    }
    s.f.platform->answerFileDialog(file);
    s.f.platform->answerFileDialog(std::nullopt);
    s.f.platform->answerInputBox(typed);
    Viewers viewers({renameIt});
    s.w->Menu_ShowSavedSourceList_Click();

    QCOMPARE(viewers.shown(), 1);
    QVERIFY(s.f.platform->messages().isEmpty());
    QCOMPARE(filesIn(s.data), dataFiles);
    QCOMPARE(contentOf(s.data + u'/' + dataFiles[0]), content);
    if (elsewhere)
        QVERIFY(!QFile::exists(file));
    QCOMPARE(s.f.platform->fileDialogs().size(), 2);
    QCOMPARE(s.w->SourceList->count(), 0);
}

void TestRecallSourceList::renameOntoExistingFile_data()
{
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<A>("answer");
    QTest::addColumn<QString>("message");

    const QString english = u"ERROR|The file:  Party.odr  already exists.\n"
                            u"Do you want to overwrite it ?|YesNo|Question"_s;
    QTest::newRow("Yes") << false << A::Yes << english;
    QTest::newRow("No") << false << A::No << english;
    QTest::newRow("Swedish, Yes")
        << true << A::Yes
        << u"ERROR|Filen:  Party.odr  finns redan.\nVill du skriva över den ?|YesNo|Question"_s;
}

void TestRecallSourceList::renameOntoExistingFile()
{
    QFETCH(bool, swedish);
    QFETCH(A, answer);
    QFETCH(QString, message);

    Setup s;
    prepare(s);
    s.f.m->Swedish = swedish;
    const QString file = savedList(s, u"2024-12-05_1.odr"_s, {u"Abba"_s});
    const QString existing = savedList(s, u"Party.odr"_s, {u"Cure"_s});
    const QByteArray renamed = contentOf(file);
    const QByteArray old = contentOf(existing);
    s.f.platform->answerFileDialog(file);
    s.f.platform->answerFileDialog(std::nullopt);
    s.f.platform->answerInputBox(u"Party"_s);
    s.f.platform->answer(answer);
    Viewers viewers({renameIt});
    s.w->Menu_ShowSavedSourceList_Click();

    QCOMPARE(messageTexts(*s.f.platform), QStringList{message});
    if (answer == A::Yes) {
        QCOMPARE(filesIn(s.data), QStringList{u"Party.odr"_s});
        QCOMPARE(contentOf(existing), renamed);
    } else {
        QCOMPARE(filesIn(s.data), (QStringList{u"2024-12-05_1.odr"_s, u"Party.odr"_s}));
        QCOMPARE(contentOf(existing), old);
    }
    QCOMPARE(s.f.platform->fileDialogs().size(), 2);
}

void TestRecallSourceList::renameToInvalidName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<QString>("message");

    QTest::newRow("slash") << u"Old/Party"_s << false
                           << u"ERROR|Invalid file name:  Old/Party.odr\nNothing saved.|Ok|None"_s;
    QTest::newRow("blanks only") << u"   "_s << false
                                 << u"ERROR|Invalid file name:     .odr\nNothing saved.|Ok|None"_s;
    QTest::newRow("two dots, Swedish")
        << u".."_s << true << u"ERROR|Ogiltigt filnamn:  ...odr\nIngenting sparat.|Ok|None"_s;
}

void TestRecallSourceList::renameToInvalidName()
{
    QFETCH(QString, typed);
    QFETCH(bool, swedish);
    QFETCH(QString, message);

    Setup s;
    prepare(s);
    s.f.m->Swedish = swedish;
    const QString file = savedList(s, u"2024-12-05_1.odr"_s, {u"Abba"_s});
    s.f.platform->answerFileDialog(file);
    s.f.platform->answerFileDialog(std::nullopt);
    s.f.platform->answerInputBox(typed);
    s.f.platform->answer(A::Ok);
    Viewers viewers({renameIt});
    s.w->Menu_ShowSavedSourceList_Click();

    QCOMPARE(messageTexts(*s.f.platform), QStringList{message});
    QCOMPARE(filesIn(s.data), QStringList{u"2024-12-05_1.odr"_s});
    QCOMPARE(s.f.platform->fileDialogs().size(), 2);
}

void TestRecallSourceList::recallIntoEmptyList_data()
{
    QTest::addColumn<qint64>("freeSpace");
    QTest::addColumn<bool>("copyEnabled");

    QTest::newRow("room on the target") << qint64(1'000'000) << true;
    QTest::newRow("no room on the target") << qint64(250) << false;
}

void TestRecallSourceList::recallIntoEmptyList()
{
    QFETCH(qint64, freeSpace);
    QFETCH(bool, copyEnabled);

    Setup s;
    prepare(s, freeSpace);
    const QString file = savedList(s, u"2024-12-05_1.odr"_s, {u"Abba"_s, u"Björk"_s});
    s.f.platform->answerFileDialog(file);
    Viewers viewers({recallIt});
    s.w->Menu_ShowSavedSourceList->trigger();

    QCOMPARE(viewers.shown(), 1);
    QVERIFY(s.f.platform->messages().isEmpty());
    QCOMPARE(items(s.w->SourceList), (QStringList{album(s, u"Abba"_s), album(s, u"Björk"_s)}));
    QCOMPARE(s.f.m->SourceListSize, 300.0);
    QCOMPARE(s.w->TotalSize->text(), FormatWithPrefix(300, u"B"_s, 103));
    QCOMPARE(s.w->TargetFreeSpace->text(), FormatWithPrefix(double(freeSpace) - 300, u"B"_s, 103));
    QCOMPARE(s.w->CopyFolders->isEnabled(), copyEnabled);
    QVERIFY(s.w->ClearSourceList->isEnabled());
    QVERIFY(s.w->Menu_SaveCurrentSourceList->isEnabled());
    QCOMPARE(s.f.m->SavedListPath, QString());
    QVERIFY(!s.w->SkipClearConfirmation);
    QVERIFY(QFile::exists(file));
}

void TestRecallSourceList::recallReplacingTheList_data()
{
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<QString>("question");

    QTest::newRow("English")
        << false
        << u"Recall a saved Source List|The current Source List is not empty.\n\nSelect Yes to "
           u"clear the current Source List and Recall the saved list.\n\nSelect No to Recall the "
           u"saved list and add it to the current Source List. |YesNoCancel|Question"_s;
    QTest::newRow("Swedish")
        << true
        << u"Hämta en sparad Källfil-lista|Den nuvarande Källfil-listan är inte tom.\n\nVälj Ja "
           u"för att radera den nuvarande Källfil-listan och hämta den sparade listan.\n\nVälj "
           u"Nej för att hämta den sparade listan och lägg till den till den nuvarande "
           u"Källfil-listan. |YesNoCancel|Question"_s;
}

void TestRecallSourceList::recallReplacingTheList()
{
    QFETCH(bool, swedish);
    QFETCH(QString, question);

    Setup s;
    prepare(s);
    insert(s, {u"Cure"_s});
    s.f.m->Swedish = swedish;
    const QString file = savedList(s, u"2024-12-05_1.odr"_s, {u"Abba"_s, u"Björk"_s});
    s.f.platform->answerFileDialog(file);
    s.f.platform->answer(A::Yes);
    Viewers viewers({recallIt});
    s.w->Menu_ShowSavedSourceList_Click();

    // Cleared without "Are you sure ?".
    QCOMPARE(messageTexts(*s.f.platform), QStringList{question});
    QCOMPARE(items(s.w->SourceList), (QStringList{album(s, u"Abba"_s), album(s, u"Björk"_s)}));
    QCOMPARE(s.f.m->SourceListSize, 300.0);
    QVERIFY(!s.w->SkipClearConfirmation);
}

void TestRecallSourceList::recallAddingToTheList_data()
{
    QTest::addColumn<A>("duplicateAnswer");
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<double>("size");

    QTest::newRow("duplicate refused") << A::No << QStringList{u"Abba"_s, u"Björk"_s} << 300.0;
    QTest::newRow("duplicate accepted")
        << A::Yes << QStringList{u"Abba"_s, u"Björk"_s, u"Abba"_s} << 400.0;
}

void TestRecallSourceList::recallAddingToTheList()
{
    QFETCH(A, duplicateAnswer);
    QFETCH(QStringList, list);
    QFETCH(double, size);

    Setup s;
    prepare(s);
    insert(s, {u"Abba"_s});
    const QString file = savedList(s, u"2024-12-05_1.odr"_s, {u"Björk"_s, u"Abba"_s});
    s.f.platform->answerFileDialog(file);
    s.f.platform->answer(A::No);
    s.f.platform->answer(duplicateAnswer);
    Viewers viewers({recallIt});
    s.w->Menu_ShowSavedSourceList_Click();

    const QStringList shown = messageTexts(*s.f.platform);
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown[1],
             u"Duplicate folder|The folder  "_s + album(s, u"Abba"_s) +
                 u"  already exists.\n\nDo you want to copy it anyway ?|YesNo|Question"_s);
    QStringList expected;
    for (const QString& name : list)
        expected.append(album(s, name));
    QCOMPARE(items(s.w->SourceList), expected);
    QCOMPARE(s.f.m->SourceListSize, size);
    QCOMPARE(s.w->TotalSize->text(), FormatWithPrefix(size, u"B"_s, 103));
    QVERIFY(!s.w->SkipClearConfirmation);
}

void TestRecallSourceList::cancelInTheQuestion()
{
    Setup s;
    prepare(s);
    insert(s, {u"Abba"_s});
    const QString file = savedList(s, u"2024-12-05_1.odr"_s, {u"Björk"_s});
    s.f.platform->answerFileDialog(file);
    s.f.platform->answer(A::Cancel);
    Viewers viewers({recallIt});
    s.w->Menu_ShowSavedSourceList_Click();

    QCOMPARE(s.f.platform->messages().size(), 1);
    QCOMPARE(items(s.w->SourceList), QStringList{album(s, u"Abba"_s)});
    QCOMPARE(s.f.m->SourceListSize, 100.0);
    QVERIFY(!s.w->SkipClearConfirmation);

    s.f.platform->answer(A::No);
    QTest::mouseClick(s.w->ClearSourceList, Qt::LeftButton);
    QCOMPARE(messageTexts(*s.f.platform).last(),
             u"Clear Source List|Are you sure ?|YesNo|Question"_s);
    QCOMPARE(s.w->SourceList->count(), 1);
}

void TestRecallSourceList::foldersLeftOut_data()
{
    QTest::addColumn<QStringList>("lines"); // %1 is the Music folder
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<QString>("summary");

    const QStringList mixed{u"%1/Abba"_s, u"%1/Empty"_s, u"%1/Missing"_s};
    QTest::newRow("one existing, one empty, one missing")
        << mixed << false << QStringList{u"Abba"_s}
        << u"Not recalled Folders|1 empty folder not recalled.\n1 folder not found.|Ok|"
           u"Information"_s;
    QTest::newRow("one existing, one empty, one missing, Swedish")
        << mixed << true << QStringList{u"Abba"_s}
        << u"Ej återskapade foldrar|1 tom folder ej återskapad.\n1 folder ej hittad.|Ok|"
           u"Information"_s;
    QTest::newRow("one missing") << QStringList{u"%1/Cure"_s, u"%1/Gone"_s} << false
                                 << QStringList{u"Cure"_s}
                                 << u"Not recalled Folder|1 folder not found.|Ok|Information"_s;
    QTest::newRow("lines that are no folder")
        << QStringList{u"%1/Abba"_s, u""_s, u"Music/Abba"_s, u"D:\\Music\\Abba"_s,
                       u"%1/Abba/01.mp3"_s}
        << false << QStringList{u"Abba"_s}
        << u"Not recalled Folders|4 folders not found.|Ok|Information"_s;
    const QStringList missing{u"%1/Gone"_s, u"%1/Lost"_s};
    QTest::newRow("all missing") << missing << false << QStringList{}
                                 << u"Not recalled Folders|2 folders not found.\n"
                                    u"No Folders Recalled.|Ok|Information"_s;
    QTest::newRow("all missing, Swedish")
        << missing << true << QStringList{}
        << u"Ej återskapade foldrar|2 foldrar ej hittade.\nInga foldrar återskapade.|Ok|"
           u"Information"_s;
}

void TestRecallSourceList::foldersLeftOut()
{
    QFETCH(QStringList, lines);
    QFETCH(bool, swedish);
    QFETCH(QStringList, added);
    QFETCH(QString, summary);

    Setup s;
    prepare(s);
    s.f.m->Swedish = swedish;
    QStringList entries;
    for (const QString& line : lines)
        entries.append(QString(line).replace(u"%1"_s, s.f.dir(u"E/Music"_s)));
    const QString file = s.data + u"/2024-12-05_1.odr"_s;
    sourcelistfile::write(file, entries, u"1"_s, u"  100 B"_s);
    s.f.platform->answerFileDialog(file);
    s.f.platform->answer(A::Ok);
    Viewers viewers({recallIt});
    s.w->Menu_ShowSavedSourceList_Click();

    QCOMPARE(messageTexts(*s.f.platform), QStringList{summary});
    QStringList expected;
    for (const QString& name : added)
        expected.append(album(s, name));
    QCOMPARE(items(s.w->SourceList), expected);
    QCOMPARE(s.w->Menu_SaveCurrentSourceList->isEnabled(), !added.isEmpty());
    QCOMPARE(s.w->ClearSourceList->isEnabled(), !added.isEmpty());
    QCOMPARE(s.w->CopyFolders->isEnabled(), !added.isEmpty());
    QVERIFY(!s.w->SkipClearConfirmation);
}

void TestRecallSourceList::nothingRecalledIntoAFullList()
{
    Setup s;
    prepare(s);
    insert(s, {u"Abba"_s});
    const QString file = savedList(s, u"2024-12-05_1.odr"_s, {u"Gone"_s});
    s.f.platform->answerFileDialog(file);
    s.f.platform->answer(A::No);
    s.f.platform->answer(A::Ok);
    Viewers viewers({recallIt});
    s.w->Menu_ShowSavedSourceList_Click();

    QCOMPARE(messageTexts(*s.f.platform).last(),
             u"Not recalled Folder|1 folder not found.\nNo Folders Recalled.|Ok|Information"_s);
    QCOMPARE(items(s.w->SourceList), QStringList{album(s, u"Abba"_s)});
    // The list still holds a folder, so it can still be saved.
    QVERIFY(s.w->Menu_SaveCurrentSourceList->isEnabled());
    QVERIFY(s.w->ClearSourceList->isEnabled());
    QVERIFY(s.w->CopyFolders->isEnabled());
}

void TestRecallSourceList::listWithoutEntries_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("action");

    QTest::newRow("only the trailer, Recall button")
        << QByteArray("end ----------------------------------\r\nNumber of mp3 files: 0\r\n"
                      "TotalSize:\r\n")
        << u"Button_RecallFile"_s;
    QTest::newRow("empty file, Recall File item") << QByteArray() << u"Menu_RecallFile"_s;
}

void TestRecallSourceList::listWithoutEntries()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, action);

    Setup s;
    prepare(s);
    const QString file = s.f.dir.file(u"Data/2024-12-05_1.odr"_s, content);
    s.f.platform->answerFileDialog(file);
    Viewers viewers({[&](ViewSavedFilesForm& v) {
        if (auto* button = v.findChild<QPushButton*>(action))
            button->click();
        else
            v.findChild<QAction*>(action)->trigger();
    }});
    s.w->Menu_ShowSavedSourceList_Click();

    QCOMPARE(viewers.shown(), 1);
    QVERIFY(s.f.platform->messages().isEmpty());
    QCOMPARE(s.w->SourceList->count(), 0);
    QVERIFY(!s.w->Menu_SaveCurrentSourceList->isEnabled());
    QVERIFY(!s.w->ClearSourceList->isEnabled());
}

void TestRecallSourceList::copyLogRecalledInCopyOrder()
{
    Setup s;
    prepare(s);
    insert(s, {u"Cure"_s, u"Abba"_s, u"Björk"_s});
    s.w->Menu_UseLogFile->setChecked(true);
    s.f.platform->answer(A::Ok);
    s.w->CopyFolders_Click();
    QCOMPARE(s.f.platform->messages().size(), 1);
    QCOMPARE(s.w->SourceList->count(), 0);
    s.f.platform->clear();

    const QString log =
        s.data + u'/' + sourcelistfile::dateText(QDate::currentDate()) + u"_1.odr"_s;
    QVERIFY(QFile::exists(log));
    s.f.platform->answerFileDialog(log);
    Viewers viewers({recallIt});
    s.w->Menu_ShowSavedSourceList_Click();

    QVERIFY(s.f.platform->messages().isEmpty());
    QCOMPARE(items(s.w->SourceList),
             (QStringList{album(s, u"Cure"_s), album(s, u"Abba"_s), album(s, u"Björk"_s)}));
    QCOMPARE(s.f.m->SourceListSize, 600.0);
}

void TestRecallSourceList::listOfAnOlderProgram()
{
    Setup s;
    prepare(s);
    const QString file = s.f.dir.file(u"Data/Old.odr"_s,
                                      QFile::encodeName(s.f.dir(u"E/Music"_s)) +
                                          "/Bj\xF6rk\r\nend ----------------------------------\r\n"
                                          "Number of mp3 files: 1\r\nTotalSize:  200 B\r\n");
    s.f.platform->answerFileDialog(file);
    Viewers viewers({recallIt});
    s.w->Menu_ShowSavedSourceList_Click();

    QVERIFY(s.f.platform->messages().isEmpty());
    QCOMPARE(items(s.w->SourceList), QStringList{album(s, u"Björk"_s)});
}

void TestRecallSourceList::unreadableFileBringsTheDialogBack()
{
    Setup s;
    prepare(s);
    const QString file = s.f.dir.file(u"Data/Binary.odr"_s, QByteArray("\x01\0\x02", 3));
    s.f.platform->answerFileDialog(file);
    s.f.platform->answerFileDialog(std::nullopt);
    s.f.platform->answer(A::Ok);
    Viewers viewers({});
    s.w->Menu_ShowSavedSourceList_Click();

    QCOMPARE(viewers.shown(), 0);
    QCOMPARE(messageTexts(*s.f.platform),
             QStringList{u"ERROR|Could not read the file:  "_s + file +
                         u"\nNot a list of folders: the file holds binary data.|Ok|Exclamation"_s});
    QCOMPARE(s.f.platform->fileDialogs().size(), 2);
    QCOMPARE(s.f.m->SavedListPath, QString());
}

void TestRecallSourceList::fileGoneBeforeRecallKeepsTheList()
{
    Setup s;
    prepare(s);
    insert(s, {u"Abba"_s});
    const QString file = savedList(s, u"2024-12-05_1.odr"_s, {u"Björk"_s});
    s.f.platform->answerFileDialog(file);
    s.f.platform->answer(A::Ok);
    Viewers viewers({[&](ViewSavedFilesForm& v) {
        QFile::remove(file);
        v.Button_RecallFile->click();
    }});
    s.w->Menu_ShowSavedSourceList_Click();

    const QStringList shown = messageTexts(*s.f.platform);
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].startsWith(u"ERROR|Could not read the file:  "_s + file + u'\n'),
             qPrintable(shown[0]));
    QCOMPARE(items(s.w->SourceList), QStringList{album(s, u"Abba"_s)});
    QCOMPARE(s.f.m->SourceListSize, 100.0);
    QVERIFY(!s.w->SkipClearConfirmation);
}

QTEST_MAIN(TestRecallSourceList)
#include "tst_recallsourcelist.moc"
