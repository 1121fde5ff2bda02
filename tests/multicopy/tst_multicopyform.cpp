#include "support/MainFormFixture.h"
#include "support/MessageText.h"

#include "multicopy/MultiCopyForm.h"
#include "platform/DirListBox.h"

#include <QApplication>
#include <QDir>
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

QString album(const MainFormFixture& f, int number)
{
    return f.dir(u"E/Music/Album %1"_s.arg(number));
}

} // namespace

class TestMultiCopyForm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }
    void steps_data();
    void steps();
};

void TestMultiCopyForm::steps_data()
{
    QTest::addColumn<int>("highlighted"); // in the main window; -1 the open folder itself
    QTest::addColumn<QString>("album3");  // "listed", "empty", a file it holds alone, or "gone"
    QTest::addColumn<QString>("steps");   // keys, "click N", "ctrl N" or "Transfer"
    QTest::addColumn<A>("answer");
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<QString>("message"); // %1 is the path of E/Music
    QTest::addColumn<QString>("listed");  // album numbers
    QTest::addColumn<bool>("closes");

    const auto row = [](const char* name, int highlighted, const QString& steps,
                        const QString& listed, bool closes = true, const QString& album3 = {},
                        A answer = A::Ok, const QString& message = {}, bool swedish = false) {
        QTest::newRow(name) << highlighted << album3 << steps << answer << swedish << message
                            << listed << closes;
    };
    // No item is current until the user picks one: Insert does nothing.
    row("open folder highlighted, Insert", -1, u"Ins"_s, QString(), false);
    row("open folder highlighted, Down and Insert", -1, u"Down, Ins"_s, u"1"_s);
    row("third album highlighted, Insert", 2, u"Ins"_s, u"3"_s);
    row("5, 2 and 7", -1, u"click 4, ctrl 1, ctrl 6, Transfer"_s, u"257"_s);
    // A second Ctrl+click takes the only selected album out of the selection again.
    row("nothing selected", -1, u"click 0, ctrl 0, Transfer"_s, QString());

    // Albums 2 to 4 chosen while album 3 is refused or asks.
    const QString twoToFour = u"click 1, ctrl 2, ctrl 3, Transfer"_s;
    row("empty, Swedish", -1, twoToFour, u"24"_s, true, u"empty"_s, A::Ok,
        u"Tom Folder|%1/Album 3 är tom och kan inte kopieras !|Ok|Information"_s, true);
    const QString duplicate = u"Duplicate folder|The folder  %1/Album 3  already exists.\n\nDo "
                              u"you want to copy it anyway ?|YesNo|Question"_s;
    row("listed already, Yes", -1, twoToFour, u"3234"_s, true, u"listed"_s, A::Yes, duplicate);
    row("listed already, No", -1, twoToFour, u"324"_s, true, u"listed"_s, A::No, duplicate);
    // Albums 3 and 5 vanish while the window is open: one report for both.
    row("two vanished", -1, u"click 1, ctrl 2, ctrl 3, ctrl 4, gone, Transfer"_s, u"24"_s, true,
        QString(), A::Ok,
        u"Error|The following folders could not be found:\n\n%1/Album 3\n%1/Album 5|Ok|None"_s);
}

void TestMultiCopyForm::steps()
{
    QFETCH(int, highlighted);
    QFETCH(QString, album3);
    QFETCH(QString, steps);
    QFETCH(A, answer);
    QFETCH(bool, swedish);
    QFETCH(QString, message);
    QFETCH(QString, listed);
    QFETCH(bool, closes);

    MainFormFixture f;
    MainForm& w = start(f);
    if (album3 == u"listed"_s) {
        w.SourceFolderList->setListIndex(2);
        w.CopyFolder->click();
    } else if (!album3.isEmpty()) {
        QVERIFY(QDir(album(f, 3)).removeRecursively());
        f.dir.mkdir(u"E/Music/Album 3"_s);
        if (album3 != u"empty"_s)
            f.dir.file(u"E/Music/Album 3/"_s + album3);
    }
    f.m->Swedish = swedish;
    w.SourceFolderList->setListIndex(highlighted);
    QStringList all;
    for (int i = 1; i <= 8; ++i)
        all.append(album(f, i));
    f.platform->answer(answer);

    const bool closed = runWindow(w, [&](MultiCopyForm& form) {
        QListWidget* list = form.SourceFolderList;
        QCOMPARE(items(list), all);
        QCOMPARE(list->currentRow(), highlighted);
        QCOMPARE(form.Button_Transfer->isEnabled(), highlighted >= 0);
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        for (const QString& step : steps.split(u", "_s)) {
            const QStringList words = step.split(u' ');
            if (words.size() == 2)
                QTest::mouseClick(list->viewport(), Qt::LeftButton,
                                  words[0] == u"ctrl"_s ? Qt::ControlModifier : Qt::NoModifier,
                                  list->visualItemRect(list->item(words[1].toInt())).center());
            else if (step == u"gone"_s)
                QVERIFY(QDir(album(f, 3)).removeRecursively() &&
                        QDir(album(f, 5)).removeRecursively());
            else if (step == u"Transfer"_s)
                form.Button_Transfer->click();
            else
                QTest::keyClick(list, QKeySequence(step)[0].key(),
                                QKeySequence(step)[0].keyboardModifiers());
        }
    });

    QCOMPARE(closed, closes);
    QCOMPARE(messageTexts(*f.platform).join(u'\n'), message.arg(f.dir(u"E/Music"_s)));
    QStringList expected;
    double size = 0;
    for (QChar c : listed) {
        expected.append(album(f, c.digitValue()));
        size += 100 * c.digitValue();
    }
    QCOMPARE(items(w.SourceList), expected);
    QCOMPARE(f.m->SourceListSize, size);
}

QTEST_MAIN(TestMultiCopyForm)
#include "tst_multicopyform.moc"
