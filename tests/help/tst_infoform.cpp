#include "support/MainFormFixture.h"

#include "help/InfoForm.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

// Triggers the menu item and, once its window is up, checks it and acts on it; the window is
// closed afterwards if the action left it open.
void whileShown(QAction* item, const std::function<void(InfoForm&)>& act)
{
    bool shown = false;
    QTimer::singleShot(0, item, [&shown, &act] {
        auto* form = qobject_cast<InfoForm*>(QApplication::activeModalWidget());
        QVERIFY(form);
        shown = true;
        act(*form);
        if (form->isVisible())
            form->close();
    });
    item->trigger();
    QVERIFY(shown);
}

} // namespace

class TestInfoForm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }

    void helpSets_data();
    void helpSets();
    void keysAndClose();
};

void TestInfoForm::helpSets_data()
{
    QTest::addColumn<bool>("onMenus");
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("logRow"); // the row whose explanation names the data folder, or -1

    QTest::newRow("menus, English") << true << false << 19 << 13;
    QTest::newRow("menus, Swedish") << true << true << 19 << 13;
    QTest::newRow("shortcuts, English") << false << false << 12 << -1;
    QTest::newRow("shortcuts, Swedish") << false << true << 12 << -1;
}

// Row 0 shows the instruction in bold, the others their explanation in the normal font; the
// log file's names the data folder.
void TestInfoForm::helpSets()
{
    QFETCH(bool, onMenus);
    QFETCH(bool, swedish);
    QFETCH(int, rows);
    QFETCH(int, logRow);

    MainFormFixture f;
    f.store(u"Swedish"_s, swedish ? u"1"_s : u"0"_s);
    MainForm& w = f.start();
    whileShown(onMenus ? w.Menu_MenuHelp : w.Menu_ShortcutsHelp, [&](InfoForm& form) {
        QCOMPARE(form.List1->count(), rows);
        QVERIFY(form.List1->selectedItems().isEmpty());
        QVERIFY(form.Label1->font().bold());
        const QString instruction = form.Label1->text();
        for (int row = rows - 1; row >= 0; --row) {
            form.List1->setCurrentRow(row);
            const QString shown = form.Label1->text();
            QCOMPARE(shown == instruction, row == 0);
            QCOMPARE(form.Label1->font().bold(), row == 0);
            QCOMPARE(shown.contains(u'(' + w.DataFolder + u")."_s), row == logRow);
        }
    });
    QCOMPARE(f.m->HelpOnMenus, onMenus);
}

// Read with the arrow keys; the window closes by Esc in the list or the button.
void TestInfoForm::keysAndClose()
{
    MainFormFixture f;
    MainForm& w = f.start();
    whileShown(w.Menu_ShortcutsHelp, [](InfoForm& form) {
        form.List1->setCurrentRow(4);
        const QString upOneLevel = form.Label1->text();
        QTest::keyClick(form.List1, Qt::Key_Down);
        QTest::keyClick(form.List1, Qt::Key_Up);
        QCOMPARE(form.Label1->text(), upOneLevel);
        QTest::keyClick(form.List1, Qt::Key_Escape);
        QVERIFY(!form.isVisible());
    });
    whileShown(w.Menu_MenuHelp, [](InfoForm& form) {
        QTest::mouseClick(form.Button_OK, Qt::LeftButton);
        QVERIFY(!form.isVisible());
    });
}

QTEST_MAIN(TestInfoForm)
#include "tst_infoform.moc"
