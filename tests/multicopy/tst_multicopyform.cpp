#include "support/MainFormFixture.h"
#include "support/MessageText.h"

#include "app/SizeText.h"
#include "multicopy/MultiCopyForm.h"
#include "platform/DirListBox.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;
using A = Platform::Answer;

namespace {

// Source drive E open at E/Music with the albums "Album 1" to "Album 8", each with one mp3 file
// of 100 bytes times its number; target drive F with plenty of room.
MainForm& start(MainFormFixture& f)
{
    f.addDrive(u"E"_s, true);
    f.drives->setFreeSpace(f.addDrive(u"F"_s, true), 1'000'000);
    for (int i = 1; i <= 8; ++i)
        f.dir.file(u"E/Music/Album %1/01.mp3"_s.arg(i), QByteArray(100 * i, 'x'));
    f.store(u"SourcePath"_s, f.dir(u"E/Music"_s));
    f.store(u"TargetPath"_s, f.dir(u"F"_s));
    MainForm& w = f.start();
    w.show();
    return w;
}

// Opens the window with the main window's button and runs act on it once it runs modally.
// True when act closed the window; one it left open is closed so that the test goes on.
bool runWindow(MainForm& w, const std::function<void(MultiCopyForm&)>& act)
{
    bool closedByAct = false;
    std::function<void()> whenShown = [&] {
        auto* form = qobject_cast<MultiCopyForm*>(QApplication::activeModalWidget());
        if (!form) {
            // Not running yet: the window lets events run while it loads.
            QTimer::singleShot(0, &w, whenShown);
            return;
        }
        act(*form);
        closedByAct = !form->isVisible();
        if (!closedByAct)
            form->close();
    };
    QTimer::singleShot(0, &w, whenShown);
    w.CopyMultipleFolders->click();
    return closedByAct;
}

QStringList items(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

QList<int> selectedRows(const QListWidget* list)
{
    QList<int> rows;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->isSelected())
            rows.append(i);
    return rows;
}

// Clicks the rows in the given order, the first alone, the others with Ctrl held.
void select(QListWidget* list, const QList<int>& rows)
{
    QVERIFY(QTest::qWaitForWindowExposed(list->window()));
    Qt::KeyboardModifiers modifiers;
    for (int row : rows) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
                          list->visualItemRect(list->item(row)).center());
        modifiers = Qt::ControlModifier;
    }
}

QString album(const MainFormFixture& f, int number)
{
    return f.dir(u"E/Music/Album %1"_s.arg(number));
}

} // namespace

class TestMultiCopyForm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }
    void opening_data();
    void opening();
    void keysWithModifier_data();
    void keysWithModifier();
    void addedInListOrder();
    void nothingSelected();
    void checks_data();
    void checks();
    void vanished_data();
    void vanished();
    void cancel();
    void reopenAfterNavigating();
};

void TestMultiCopyForm::opening_data()
{
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<int>("highlighted"); // in the main window; -1 the open folder itself
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QList<int>>("added");
    QTest::addColumn<bool>("closes");

    QTest::newRow("open folder highlighted, Esc")
        << false << -1 << QList<int>{Qt::Key_Escape} << QList<int>{} << true;
    // No item is current until the user picks one: Insert does nothing.
    QTest::newRow("open folder highlighted, Insert")
        << false << -1 << QList<int>{Qt::Key_Insert} << QList<int>{} << false;
    QTest::newRow("open folder highlighted, Down and Insert")
        << false << -1 << QList<int>{Qt::Key_Down, Qt::Key_Insert} << QList{1} << true;
    QTest::newRow("third album highlighted, Insert")
        << false << 2 << QList<int>{Qt::Key_Insert} << QList{3} << true;
    QTest::newRow("Swedish") << true << 5 << QList<int>{Qt::Key_Insert} << QList{6} << true;
}

void TestMultiCopyForm::opening()
{
    QFETCH(bool, swedish);
    QFETCH(int, highlighted);
    QFETCH(QList<int>, keys);
    QFETCH(QList<int>, added);
    QFETCH(bool, closes);

    MainFormFixture f;
    MainForm& w = start(f);
    f.m->Swedish = swedish;
    w.SourceFolderList->setListIndex(highlighted);
    QStringList all;
    for (int i = 1; i <= 8; ++i)
        all.append(album(f, i));

    const bool closed = runWindow(w, [&](MultiCopyForm& form) {
        QCOMPARE(form.objectName(), u"MultiCopyForm"_s);
        QCOMPARE(form.windowTitle(), swedish ? u"Kopiera flera"_s : u"Multiple Copy"_s);
        QCOMPARE(form.Button_Cancel->text(), swedish ? u"Avbryt"_s : u"Cancel"_s);
        QCOMPARE(form.Label1->text(),
                 swedish ? u"<Esc> för att Avbryta eller <Insert> för att Kopiera valda foldrar"_s
                         : u"<Esc> to exit or <Insert> to Copy Selected folders"_s);
        QVERIFY(!form.Button_Transfer->icon().isNull());
        QCOMPARE(form.SourceFolderList->selectionMode(), QAbstractItemView::ExtendedSelection);
        QCOMPARE(items(form.SourceFolderList), all);
        QCOMPARE(selectedRows(form.SourceFolderList),
                 highlighted < 0 ? QList<int>{} : QList{highlighted});
        if (highlighted >= 0)
            QCOMPARE(form.SourceFolderList->currentRow(), highlighted);
        QCOMPARE(form.Button_Transfer->isEnabled(), highlighted >= 0);
        for (int key : std::as_const(keys))
            QTest::keyClick(form.SourceFolderList, Qt::Key(key));
    });

    QCOMPARE(closed, closes);
    QStringList expected;
    for (int i : added)
        expected.append(album(f, i));
    QCOMPARE(items(w.SourceList), expected);
    QVERIFY(f.platform->messages().isEmpty());
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.SourceFolderList));
}

void TestMultiCopyForm::keysWithModifier_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");

    QTest::newRow("Shift+Insert") << int(Qt::Key_Insert)
                                  << Qt::KeyboardModifiers(Qt::ShiftModifier);
    QTest::newRow("Ctrl+Insert") << int(Qt::Key_Insert)
                                 << Qt::KeyboardModifiers(Qt::ControlModifier);
    QTest::newRow("Alt+Insert") << int(Qt::Key_Insert) << Qt::KeyboardModifiers(Qt::AltModifier);
    QTest::newRow("Shift+Esc") << int(Qt::Key_Escape) << Qt::KeyboardModifiers(Qt::ShiftModifier);
    QTest::newRow("Ctrl+Esc") << int(Qt::Key_Escape) << Qt::KeyboardModifiers(Qt::ControlModifier);
}

void TestMultiCopyForm::keysWithModifier()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);

    MainFormFixture f;
    MainForm& w = start(f);
    w.SourceFolderList->setListIndex(0);
    const bool closed = runWindow(w, [&](MultiCopyForm& form) {
        QTest::keyClick(form.SourceFolderList, Qt::Key(key), modifiers);
    });

    QVERIFY(!closed);
    QCOMPARE(w.SourceList->count(), 0);
}

void TestMultiCopyForm::addedInListOrder()
{
    MainFormFixture f;
    MainForm& w = start(f);
    const bool closed = runWindow(w, [&](MultiCopyForm& form) {
        select(form.SourceFolderList, {4, 1, 6});
        QVERIFY(form.Button_Transfer->isEnabled());
        form.Button_Transfer->click();
    });

    QVERIFY(closed);
    QCOMPARE(items(w.SourceList), (QStringList{album(f, 2), album(f, 5), album(f, 7)}));
    QCOMPARE(f.m->SourceListSize, 1400.0);
    QCOMPARE(w.TotalSize->text(), u" 1.40 kB"_s);
    QVERIFY(w.ClearSourceList->isEnabled());
    QVERIFY(w.CopyFolders->isEnabled());
    QVERIFY(f.platform->messages().isEmpty());
}

void TestMultiCopyForm::nothingSelected()
{
    MainFormFixture f;
    MainForm& w = start(f);
    const bool closed = runWindow(w, [&](MultiCopyForm& form) {
        // A second Ctrl+click takes the only selected album out of the selection again.
        select(form.SourceFolderList, {0, 0});
        QCOMPARE(selectedRows(form.SourceFolderList), QList<int>{});
        QVERIFY(form.Button_Transfer->isEnabled());
        form.Button_Transfer->click();
    });

    QVERIFY(closed);
    QCOMPARE(w.SourceList->count(), 0);
    QVERIFY(f.platform->messages().isEmpty());
    QVERIFY(!w.ClearSourceList->isEnabled());
    QVERIFY(!w.Menu_SaveCurrentSourceList->isEnabled());
    QVERIFY(!w.Label_ShowFiles->isVisible());
    QCOMPARE(w.TotalSize->text(), QString());
}

void TestMultiCopyForm::checks_data()
{
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<QString>("contents"); // of "Album 3", made anew; "listed": already listed
    QTest::addColumn<QList<A>>("answers");
    QTest::addColumn<QString>("message"); // %1 is the path of Album 3
    QTest::addColumn<QList<int>>("listed");

    const QString duplicate = u"Duplicate folder|The folder  %1  already exists.\n\nDo you want "
                              u"to copy it anyway ?|YesNo|Question"_s;
    QTest::newRow("empty") << false << u""_s << QList{A::Ok}
                           << u"Empty Folder|%1 is empty and will not be copied !|Ok|Information"_s
                           << QList{2, 4};
    QTest::newRow("empty, Swedish")
        << true << u""_s << QList{A::Ok}
        << u"Tom Folder|%1 är tom och kan inte kopieras !|Ok|Information"_s << QList{2, 4};
    QTest::newRow("mp3 files only in a subfolder")
        << false << u"CD1/01.mp3"_s << QList{A::Ok}
        << u"Empty Folder|%1 does not contain any mp3-files and will not be copied "
           u"!|Ok|Information"_s
        << QList{2, 4};
    QTest::newRow("no mp3 file, Swedish")
        << true << u"cover.jpg"_s << QList{A::Ok}
        << u"Tom Folder|%1 innehåller inga mp3-filer och kan inte kopieras !|Ok|Information"_s
        << QList{2, 4};
    QTest::newRow("listed already, Yes")
        << false << u"listed"_s << QList{A::Yes} << duplicate << QList{3, 2, 3, 4};
    QTest::newRow("listed already, No")
        << false << u"listed"_s << QList{A::No} << duplicate << QList{3, 2, 4};
}

void TestMultiCopyForm::checks()
{
    QFETCH(bool, swedish);
    QFETCH(QString, contents);
    QFETCH(QList<A>, answers);
    QFETCH(QString, message);
    QFETCH(QList<int>, listed);

    MainFormFixture f;
    MainForm& w = start(f);
    const QString third = album(f, 3);
    if (contents == u"listed"_s) {
        w.SourceFolderList->setListIndex(2);
        w.CopyFolder->click();
    } else {
        QVERIFY(QDir(third).removeRecursively());
        f.dir.mkdir(u"E/Music/Album 3"_s);
        if (!contents.isEmpty())
            f.dir.file(u"E/Music/Album 3/"_s + contents);
    }
    f.m->Swedish = swedish;
    for (A a : answers)
        f.platform->answer(a);
    const bool closed = runWindow(w, [&](MultiCopyForm& form) {
        select(form.SourceFolderList, {1, 2, 3});
        form.Button_Transfer->click();
    });

    QVERIFY(closed);
    QCOMPARE(messageTexts(*f.platform), QStringList{QString(message).replace(u"%1"_s, third)});
    QStringList expected;
    double size = 0;
    for (int i : listed) {
        expected.append(album(f, i));
        size += 100 * i;
    }
    QCOMPARE(items(w.SourceList), expected);
    QCOMPARE(f.m->SourceListSize, size);
    QCOMPARE(w.TotalSize->text(), FormatWithPrefix(size, u"B"_s, 103));
}

void TestMultiCopyForm::vanished_data()
{
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<QList<int>>("gone");
    QTest::addColumn<QString>("report"); // %1 and %2 are the paths of the albums gone

    QTest::newRow("one") << false << QList{3} << u"\n%1 could not be found."_s;
    QTest::newRow("one, Swedish") << true << QList{3} << u"\n%1 kunde inte hittas."_s;
    QTest::newRow("two") << false << QList{3, 5}
                         << u"The following folders could not be found:\n\n%1\n%2"_s;
    QTest::newRow("two, Swedish") << true << QList{3, 5}
                                  << u"Följande Foldrar kunde inte hittas:\n\n%1\n%2"_s;
}

void TestMultiCopyForm::vanished()
{
    QFETCH(bool, swedish);
    QFETCH(QList<int>, gone);
    QFETCH(QString, report);

    MainFormFixture f;
    MainForm& w = start(f);
    f.m->Swedish = swedish;
    f.platform->answer(A::Ok);
    const bool closed = runWindow(w, [&](MultiCopyForm& form) {
        select(form.SourceFolderList, {1, 2, 3, 4});
        for (int i : gone)
            QVERIFY(QDir(album(f, i)).removeRecursively());
        form.Button_Transfer->click();
    });

    QVERIFY(closed);
    QString text = report.arg(album(f, gone[0]));
    if (gone.size() > 1)
        text = text.arg(album(f, gone[1]));
    QCOMPARE(messageTexts(*f.platform), QStringList{u"Error|"_s + text + u"|Ok|None"_s});
    QStringList expected;
    double size = 0;
    for (int i = 2; i <= 5; ++i) {
        if (gone.contains(i))
            continue;
        expected.append(album(f, i));
        size += 100 * i;
    }
    QCOMPARE(items(w.SourceList), expected);
    QCOMPARE(w.TotalSize->text(), FormatWithPrefix(size, u"B"_s, 103));
    // The main window's folder list was read anew.
    QCOMPARE(w.SourceFolderList->path(), f.dir(u"E/Music"_s));
    QCOMPARE(w.SourceFolderList->listCount(), 8 - int(gone.size()));
}

void TestMultiCopyForm::cancel()
{
    MainFormFixture f;
    MainForm& w = start(f);
    w.SourceFolderList->setListIndex(0);
    const bool closed = runWindow(w, [&](MultiCopyForm& form) {
        select(form.SourceFolderList, {0, 1});
        form.Button_Cancel->click();
    });

    QVERIFY(closed);
    QCOMPARE(w.SourceList->count(), 0);
    QVERIFY(f.platform->messages().isEmpty());
}

void TestMultiCopyForm::reopenAfterNavigating()
{
    MainFormFixture f;
    MainForm& w = start(f);
    f.dir.create({u"E/Music/Album 4/CD1/01.mp3"_s, u"E/Music/Album 4/CD2/01.mp3"_s});
    QVERIFY(runWindow(w, [](MultiCopyForm& form) {
        QCOMPARE(form.SourceFolderList->count(), 8);
        QTest::keyClick(form.SourceFolderList, Qt::Key_Escape);
    }));
    w.SourceFolderList->setListIndex(3);
    QTest::keyClick(w.SourceFolderList, Qt::Key_Right);
    QCOMPARE(w.SourceFolderList->path(), album(f, 4));

    QStringList listed;
    QVERIFY(runWindow(w, [&](MultiCopyForm& form) {
        listed = items(form.SourceFolderList);
        QTest::keyClick(form.SourceFolderList, Qt::Key_Escape);
    }));
    QCOMPARE(listed, (QStringList{album(f, 4) + u"/CD1"_s, album(f, 4) + u"/CD2"_s}));
}

QTEST_MAIN(TestMultiCopyForm)
#include "tst_multicopyform.moc"
