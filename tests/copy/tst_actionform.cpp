#include "copy/ActionForm.h"

#include "app/Module1.h"
#include "support/ScriptedPlatform.h"
#include "support/TestDrives.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

class TestActionForm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();

    void texts_data();
    void texts();
    void cancel_data();
    void cancel();
    void fitProgressWindow_data();
    void fitProgressWindow();

private:
    std::unique_ptr<QWidget> m_main;
    std::unique_ptr<Module1> m_m;
};

void TestActionForm::init()
{
    m_main = std::make_unique<QWidget>();
    m_main->move(300, 50);
    m_main->resize(800, 600);
    m_m = std::make_unique<Module1>(std::make_unique<ScriptedPlatform>(),
                                    std::make_unique<TestDrives>());
}

void TestActionForm::texts_data()
{
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<QStringList>("copying"); // caption and button
    QTest::addColumn<QString>("deleting");

    QTest::newRow("English") << false << QStringList{u"Now Copying:"_s, u"Cancel Copy"_s}
                             << u"Now Deleting:"_s;
    QTest::newRow("Swedish") << true << QStringList{u"Nu kopieras:"_s, u"Avbryt kopiering"_s}
                             << u"Nu Raderas:"_s;
}

void TestActionForm::texts()
{
    QFETCH(bool, swedish);
    QFETCH(QStringList, copying);
    QFETCH(QString, deleting);

    m_m->Swedish = swedish;
    ActionForm form(*m_m, m_main.get());
    form.show();
    QVERIFY(!form.isModal());
    QCOMPARE(form.pos(), QPoint(760, 383)); // beside the main window
    QCOMPARE((QStringList{form.Label2->text(), form.Button_CancelCopy->text()}), copying);

    form.setDeleting();
    QCOMPARE(form.Label2->text(), deleting);
    QVERIFY(!form.Button_CancelCopy->isVisible());
}

void TestActionForm::cancel_data()
{
    QTest::addColumn<bool>("byClose");
    QTest::addColumn<bool>("deleting");

    QTest::newRow("Cancel button") << false << false;
    QTest::newRow("closing the window") << true << false;
    QTest::newRow("closing while deleting") << true << true;
}

void TestActionForm::cancel()
{
    QFETCH(bool, byClose);
    QFETCH(bool, deleting);

    ActionForm form(*m_m, m_main.get());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    if (deleting)
        form.setDeleting();
    const auto press = [&] {
        if (byClose)
            QVERIFY(!form.close());
        else
            QTest::mouseClick(form.Button_CancelCopy, Qt::LeftButton);
    };

    // A deletion cannot be cancelled; a copy is, once.
    press();
    QCOMPARE(m_m->CancelRequested, !deleting);
    QCOMPARE(form.Button_CancelCopy->isEnabled(), deleting);
    QVERIFY(form.isVisible());
    m_m->CancelRequested = false;
    press();
    QVERIFY(!m_m->CancelRequested);
    QVERIFY(form.isVisible());
}

void TestActionForm::fitProgressWindow_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("mainWidth");
    QTest::addColumn<bool>("wide"); // the label is wider than the Cancel button

    const QString longPath =
        u"/media/usb/Music/Some Artist - A Rather Long Album Title (Deluxe Edition)"_s;
    QTest::newRow("short path") << u"/m/A"_s << 800 << false;
    QTest::newRow("main narrower than the window") << longPath << 120 << true;
}

void TestActionForm::fitProgressWindow()
{
    QFETCH(QString, path);
    QFETCH(int, mainWidth);
    QFETCH(bool, wide);

    m_main->resize(mainWidth, 600);
    ActionForm form(*m_m, m_main.get());
    form.show();
    const int top = form.y();
    form.Label1->setText(path);
    form.FitProgressWindow(*m_main);

    QVERIFY(form.Label1->width() >= form.Label1->fontMetrics().horizontalAdvance(path));
    const QRect outer = form.frameGeometry();
    QCOMPARE(outer.width(), wide ? form.Label1->width() + 23 : 168);
    const QRect main = m_main->frameGeometry();
    QCOMPARE(outer.x(), main.x() + (main.width() - outer.width()) / 2);
    QCOMPARE(outer.y(), top);
}

QTEST_MAIN(TestActionForm)
#include "tst_actionform.moc"
