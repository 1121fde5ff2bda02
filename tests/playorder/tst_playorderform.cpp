#include "support/ScriptedPlatform.h"
#include "support/TestDir.h"

#include "playorder/PlayOrderForm.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

// The window on a volume that keeps no play order; its order on a FAT stick is tested inside
// User-mode Linux (tst_playorderuml).
class TestPlayOrderForm : public QObject {
    Q_OBJECT

private Q_SLOTS:
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
        PlayOrderForm form(platform, swedish, u"ext4"_s, dir(u"Music <b>"_s), nullptr);
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
        PlayOrderForm form(platform, false, u"vfat"_s, dir(u"gone"_s), nullptr);
        QCOMPARE(platform.messages().value(0).text,
                 u"The order in "_s + dir(u"gone"_s) +
                     u" could not be read:\nNo such file or directory"_s);
        QCOMPARE(form.findChild<QListWidget*>(u"PlayOrderList"_s)->count(), 0);
        QVERIFY(!form.findChild<QPushButton*>(u"SortPlayOrder"_s)->isEnabled());
    }
};

QTEST_MAIN(TestPlayOrderForm)
#include "tst_playorderform.moc"
