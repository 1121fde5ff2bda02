#include "support/MainWindowFixture.h"

#include "mainwindow/SourceListPane.h"
#include "support/MessageText.h"

#include "multicopy/MultiFolderDialog.h"
#include "platform/DirListBox.h"

#include <QDir>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

class TestMultiFolderDialog : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }
    void choices();
};

// Albums 1 to 7 of 100 bytes times their number and the empty album 8 below E/Music, chosen in
// the window opened on E/Music.
void TestMultiFolderDialog::choices()
{
    MainWindowFixture f;
    f.addDrive(u"E"_s, true);
    const QString album = f.dir(u"E/Music/Album "_s);
    for (int i = 1; i <= 7; ++i)
        f.dir.file(u"E/Music/Album %1/01.mp3"_s.arg(i), QByteArray(100 * i, 'x'));
    f.dir.mkdir(u"E/Music/Album 8"_s);
    f.store(u"SourcePath"_s, f.dir(u"E/Music"_s));
    MainWindow& w = f.start();
    f.platform->answer({Platform::Answer::Ok, Platform::Answer::Ok});
    f.m->swedish = true;
    // Runs the window: with no rows, Insert, Down and Insert; else the rows picked, Ctrl held
    // after the first, and Transfer, albums 3 and 6 vanishing first when row 2 is picked.
    auto run = [&](const QList<int>& rows) {
        std::function<void()> act = [&] {
            auto* form = qobject_cast<MultiFolderDialog*>(QApplication::activeModalWidget());
            if (!form) // not running yet: the window lets events run while it loads
                return QTimer::singleShot(0, &w, act);
            auto* list = child<QListWidget>(*form, u"SourceFolderList"_s);
            for (const int row : rows)
                QTest::mouseClick(list->viewport(), Qt::LeftButton,
                                  row == rows[0] ? Qt::NoModifier : Qt::ControlModifier,
                                  list->visualItemRect(list->item(row)).center());
            for (const int gone : rows.contains(2) ? QList{3, 6} : QList<int>{})
                QDir(album + QString::number(gone)).removeRecursively();
            if (rows.isEmpty())
                QTest::keySequence(list, QKeySequence(u"Ins, Down, Ins"_s));
            else
                child<QPushButton>(*form, u"Button_Transfer"_s)->click();
            form->close();
        };
        QTimer::singleShot(0, &w, act);
        child<QPushButton>(w, u"CopyMultipleFolders"_s)->click();
    };
    // No album is current until the user picks one: the first Insert does nothing.
    run({});
    run({4, 1, 6});
    // Taken in list order: one report for both vanished albums, after the empty album's.
    run({7, 2, 3, 5});
    QCOMPARE(messageTexts(*f.platform).join(u'\n').replace(album, u"A"_s),
             u"Tom Folder|A8 är tom och kan inte kopieras !|Ok|Information\n"
             u"Error|Följande Foldrar kunde inte hittas:\n\nA3\nA6|Ok|None"_s);
    QCOMPARE(child<QListWidget>(w, u"SourceList"_s)->item(1)->text(), album + u'2');
    QCOMPARE(w.sourceListPane().totalBytes(), 1900.0);
}

QTEST_MAIN(TestMultiFolderDialog)
#include "tst_multifolderdialog.moc"
