#include "support/MainFormFixture.h"
#include "support/MessageText.h"

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
    void buttons_data();
    void buttons();
    void checks_data();
    void checks();
    void vanished();
    void reopenAfterNavigating();
};

void TestMultiCopyForm::opening_data()
{
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<int>("highlighted"); // in the main window; -1 the open folder itself
    QTest::addColumn<QList<QKeyCombination>>("keys");
    QTest::addColumn<QList<int>>("added");
    QTest::addColumn<bool>("closes");

    using K = QList<QKeyCombination>;
    QTest::newRow("open folder highlighted, Esc")
        << false << -1 << K{Qt::Key_Escape} << QList<int>{} << true;
    // No item is current until the user picks one: Insert does nothing.
    QTest::newRow("open folder highlighted, Insert")
        << false << -1 << K{Qt::Key_Insert} << QList<int>{} << false;
    QTest::newRow("open folder highlighted, Down and Insert")
        << false << -1 << K{Qt::Key_Down, Qt::Key_Insert} << QList{1} << true;
    QTest::newRow("third album highlighted, Insert")
        << false << 2 << K{Qt::Key_Insert} << QList{3} << true;
    QTest::newRow("Swedish") << true << 5 << K{Qt::Key_Insert} << QList{6} << true;
    // Insert and Esc act only without Shift, Ctrl or Alt.
    QTest::newRow("Shift+Insert, Ctrl+Esc, Alt+Insert")
        << false << 0
        << K{Qt::ShiftModifier | Qt::Key_Insert, Qt::ControlModifier | Qt::Key_Escape,
             Qt::AltModifier | Qt::Key_Insert}
        << QList<int>{} << false;
}

void TestMultiCopyForm::opening()
{
    QFETCH(bool, swedish);
    QFETCH(int, highlighted);
    QFETCH(QList<QKeyCombination>, keys);
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
        QCOMPARE(form.windowTitle(), swedish ? u"Kopiera flera"_s : u"Multiple Copy"_s);
        QCOMPARE(form.Button_Cancel->text(), swedish ? u"Avbryt"_s : u"Cancel"_s);
        QCOMPARE(form.Label1->text(),
                 swedish ? u"<Esc> för att Avbryta eller <Insert> för att Kopiera valda foldrar"_s
                         : u"<Esc> to exit or <Insert> to Copy Selected folders"_s);
        QCOMPARE(items(form.SourceFolderList), all);
        QCOMPARE(selectedRows(form.SourceFolderList),
                 highlighted < 0 ? QList<int>{} : QList{highlighted});
        QCOMPARE(form.Button_Transfer->isEnabled(), highlighted >= 0);
        for (QKeyCombination key : std::as_const(keys))
            QTest::keyClick(form.SourceFolderList, key.key(), key.keyboardModifiers());
    });

    QCOMPARE(closed, closes);
    QStringList expected;
    for (int i : added)
        expected.append(album(f, i));
    QCOMPARE(items(w.SourceList), expected);
    QVERIFY(f.platform->messages().isEmpty());
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.SourceFolderList));
}

void TestMultiCopyForm::buttons_data()
{
    QTest::addColumn<QList<int>>("clicked"); // the first alone, the others with Ctrl
    QTest::addColumn<bool>("transfer");      // or Cancel
    QTest::addColumn<QList<int>>("added");

    QTest::newRow("5, 2 and 7") << QList{4, 1, 6} << true << QList{2, 5, 7};
    // A second Ctrl+click takes the only selected album out of the selection again.
    QTest::newRow("nothing selected") << QList{0, 0} << true << QList<int>{};
    QTest::newRow("Cancel") << QList{0, 1} << false << QList<int>{};
}

void TestMultiCopyForm::buttons()
{
    QFETCH(QList<int>, clicked);
    QFETCH(bool, transfer);
    QFETCH(QList<int>, added);

    MainFormFixture f;
    MainForm& w = start(f);
    QVERIFY(runWindow(w, [&](MultiCopyForm& form) {
        select(form.SourceFolderList, clicked);
        QVERIFY(form.Button_Transfer->isEnabled());
        (transfer ? form.Button_Transfer : form.Button_Cancel)->click();
    }));

    QStringList expected;
    double size = 0;
    for (int i : added) {
        expected.append(album(f, i));
        size += 100 * i;
    }
    QCOMPARE(items(w.SourceList), expected);
    QCOMPARE(f.m->SourceListSize, size);
    QCOMPARE(w.TotalSize->text(), added.isEmpty() ? QString() : u" 1.40 kB"_s);
    QCOMPARE(w.ClearSourceList->isEnabled(), !added.isEmpty());
    QCOMPARE(w.Menu_SaveCurrentSourceList->isEnabled(), !added.isEmpty());
    QCOMPARE(w.Label_ShowFiles->isVisible(), !added.isEmpty());
    QVERIFY(f.platform->messages().isEmpty());
}

void TestMultiCopyForm::checks_data()
{
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<QString>("contents"); // of "Album 3", made anew; "listed": already listed
    QTest::addColumn<A>("answer");
    QTest::addColumn<QString>("message"); // %1 is the path of Album 3
    QTest::addColumn<QList<int>>("listed");

    const QString duplicate = u"Duplicate folder|The folder  %1  already exists.\n\nDo you want "
                              u"to copy it anyway ?|YesNo|Question"_s;
    QTest::newRow("empty, Swedish")
        << true << u""_s << A::Ok
        << u"Tom Folder|%1 är tom och kan inte kopieras !|Ok|Information"_s << QList{2, 4};
    QTest::newRow("no mp3 file, Swedish")
        << true << u"cover.jpg"_s << A::Ok
        << u"Tom Folder|%1 innehåller inga mp3-filer och kan inte kopieras !|Ok|Information"_s
        << QList{2, 4};
    QTest::newRow("listed already, Yes")
        << false << u"listed"_s << A::Yes << duplicate << QList{3, 2, 3, 4};
    QTest::newRow("listed already, No")
        << false << u"listed"_s << A::No << duplicate << QList{3, 2, 4};
}

void TestMultiCopyForm::checks()
{
    QFETCH(bool, swedish);
    QFETCH(QString, contents);
    QFETCH(A, answer);
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
    f.platform->answer(answer);
    QVERIFY(runWindow(w, [&](MultiCopyForm& form) {
        select(form.SourceFolderList, {1, 2, 3});
        form.Button_Transfer->click();
    }));

    QCOMPARE(messageTexts(*f.platform), QStringList{QString(message).replace(u"%1"_s, third)});
    QStringList expected;
    double size = 0;
    for (int i : listed) {
        expected.append(album(f, i));
        size += 100 * i;
    }
    QCOMPARE(items(w.SourceList), expected);
    QCOMPARE(f.m->SourceListSize, size);
}

void TestMultiCopyForm::vanished()
{
    MainFormFixture f;
    MainForm& w = start(f);
    f.platform->answer(A::Ok);
    QVERIFY(runWindow(w, [&](MultiCopyForm& form) {
        select(form.SourceFolderList, {1, 2, 3, 4});
        QVERIFY(QDir(album(f, 3)).removeRecursively());
        QVERIFY(QDir(album(f, 5)).removeRecursively());
        form.Button_Transfer->click();
    }));

    QCOMPARE(messageTexts(*f.platform),
             QStringList{u"Error|The following folders could not be found:\n\n"_s + album(f, 3) +
                         u'\n' + album(f, 5) + u"|Ok|None"_s});
    QCOMPARE(items(w.SourceList), (QStringList{album(f, 2), album(f, 4)}));
    QCOMPARE(w.TotalSize->text(), u"  600 B "_s);
    // The main window's folder list was read anew.
    QCOMPARE(w.SourceFolderList->path(), f.dir(u"E/Music"_s));
    QCOMPARE(w.SourceFolderList->listCount(), 6);
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
