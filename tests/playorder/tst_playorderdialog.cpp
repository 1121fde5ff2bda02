#include "support/MainWindowFixture.h"

#include "playorder/PlayOrderDialog.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

// The window on a volume that keeps no play order; its order on a FAT stick is tested inside
// User-mode Linux (tst_playorderuml).
class TestPlayOrderDialog : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }

    // The File menu's item opens the window on the folder open in the target pane, with the
    // file system of its drive.
    void openedFromTheFileMenu()
    {
        MainWindowFixture f;
        f.dir.create({u"T/Music/b/"_s, u"T/Music/a/1.mp3"_s});
        f.drives->add(f.dir(u"T"_s), true, u"STICK"_s, u"ext4"_s);
        f.store(u"TargetPath"_s, f.dir(u"T/Music"_s));
        MainWindow& w = f.start();
        const QList<QAction*> file = child<QMenu>(w, u"Menu_File"_s)->actions();
        auto* item = child<QAction>(w, u"Menu_PlayOrder"_s);
        QCOMPARE(file.indexOf(item),
                 file.indexOf(child<QAction>(w, u"Menu_SaveCurrentSourceList"_s)) + 1);
        QCOMPARE(item->text(), u"Play Order on Target Drive..."_s);
        QStringList seen;
        QTimer::singleShot(0, &w, [&seen] {
            QWidget* window = QApplication::activeModalWidget();
            seen = QStringList{window->objectName(),
                               child<QLabel>(*window, u"PlayOrderPath"_s)->text(),
                               child<QLabel>(*window, u"PlayOrderState"_s)->text()};
            window->close();
        });
        item->trigger();
        QCOMPARE(seen, (QStringList{u"PlayOrderForm"_s, f.dir(u"T/Music"_s),
                                    u"This drive keeps no play order."_s}));
    }

    void noPlayOrderOnOtherVolumes_data()
    {
        QTest::addColumn<bool>("swedish");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("English") << false
                                 << QStringList{u"Play Order"_s,
                                                u"This drive keeps no play order."_s,
                                                u"Sort by Name"_s, u"Close"_s};
        QTest::newRow("Swedish") << true
                                 << QStringList{u"Spelordning"_s,
                                                u"Den här disken har ingen spelordning."_s,
                                                u"Sortera efter namn"_s, u"Stäng"_s};
    }

    void noPlayOrderOnOtherVolumes()
    {
        QFETCH(bool, swedish);
        QFETCH(QStringList, texts);
        TestDir dir;
        dir.create({u"Music <b>/"_s, u"Music <b>/b 10/"_s, u"Music <b>/B 9/"_s, u"Music <b>/a/"_s,
                    u"Music <b>/a/2.mp3"_s, u"Music <b>/a/10.mp3"_s, u"Music <b>/a/cover.jpg"_s,
                    u"Music <b>/a/.hidden"_s, u"Music <b>/.hidden/"_s});
        ScriptedPlatform platform;
        PlayOrderDialog form(platform, swedish, u"ext4"_s, dir(u"Music <b>"_s), nullptr);
        form.show();
        const auto items = [&](const QString& name) {
            QStringList texts;
            auto* list = form.findChild<QListWidget*>(name);
            for (int i = 0; i < list->count(); ++i)
                texts.append(list->item(i)->text());
            return texts;
        };
        QCOMPARE(form.objectName(), u"PlayOrderForm"_s);
        QCOMPARE(form.windowTitle(), texts[0]);
        QCOMPARE(form.findChild<QLabel*>(u"PlayOrderPath"_s)->text(), dir(u"Music <b>"_s));
        QCOMPARE(form.findChild<QLabel*>(u"PlayOrderPath"_s)->textFormat(), Qt::PlainText);
        QCOMPARE(items(u"PlayOrderList"_s), (QStringList{u"a"_s, u"B 9"_s, u"b 10"_s}));
        QCOMPARE(items(u"PlayOrderFiles"_s),
                 (QStringList{u"2.mp3"_s, u"10.mp3"_s, u"cover.jpg"_s}));
        QCOMPARE(form.findChild<QLabel*>(u"PlayOrderState"_s)->text(), texts[1]);
        auto* sort = form.findChild<QPushButton*>(u"SortPlayOrder"_s);
        QCOMPARE(sort->text(), texts[2]);
        QVERIFY(!sort->isEnabled());
        auto* close = form.findChild<QPushButton*>(u"ClosePlayOrder"_s);
        QCOMPARE(close->text(), texts[3]);
        QTest::mouseClick(close, Qt::LeftButton);
        QVERIFY(!form.isVisible());
        form.show();
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(!form.isVisible());
        QVERIFY(platform.messages().isEmpty());
    }

    void unreadableFolderIsReported()
    {
        TestDir dir;
        ScriptedPlatform platform;
        platform.answer(Platform::Answer::Ok);
        PlayOrderDialog form(platform, false, u"vfat"_s, dir(u"gone"_s), nullptr);
        QCOMPARE(platform.messages().value(0).text,
                 u"The order in "_s + dir(u"gone"_s) +
                     u" could not be read:\nNo such file or directory"_s);
        QCOMPARE(form.findChild<QListWidget*>(u"PlayOrderList"_s)->count(), 0);
        QVERIFY(!form.findChild<QPushButton*>(u"SortPlayOrder"_s)->isEnabled());
    }
};

QTEST_MAIN(TestPlayOrderDialog)
#include "tst_playorderdialog.moc"
