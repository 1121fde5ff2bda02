#include "copy/ActionForm.h"

#include "app/Module1.h"
#include "support/ScriptedPlatform.h"
#include "support/TestDrives.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

std::unique_ptr<Module1> newModule(bool swedish)
{
    auto m = std::make_unique<Module1>(std::make_unique<ScriptedPlatform>(),
                                       std::make_unique<TestDrives>());
    m->Swedish = swedish;
    return m;
}

} // namespace

class TestActionForm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();

    void loadTexts_data();
    void loadTexts();
    void loadPlacesTheWindowBesideTheMainWindow();
    void deletingTexts_data();
    void deletingTexts();

    void cancelSetsTheFlagOnce();
    void closeActsAsCancel();
    void closeWithoutCancelButton();

    void fitProgressWindow_data();
    void fitProgressWindow();

private:
    std::unique_ptr<QWidget> m_main;
};

void TestActionForm::init()
{
    m_main = std::make_unique<QWidget>();
    m_main->move(300, 50);
    m_main->resize(800, 600);
}

void TestActionForm::loadTexts_data()
{
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("button");

    QTest::newRow("English") << false << u"Now Copying:"_s << u"Cancel Copy"_s;
    QTest::newRow("Swedish") << true << u"Nu kopieras:"_s << u"Avbryt kopiering"_s;
}

void TestActionForm::loadTexts()
{
    QFETCH(bool, swedish);
    QFETCH(QString, caption);
    QFETCH(QString, button);

    auto m = newModule(swedish);
    ActionForm form(*m, m_main.get());

    QCOMPARE(form.objectName(), u"ActionForm"_s);
    QVERIFY(form.isWindow());
    QVERIFY(!form.isModal());
    QCOMPARE(form.windowTitle(), QString());
    QCOMPARE(form.findChild<QLabel*>(u"Label2"_s)->text(), caption);
    QVERIFY(form.findChild<QLabel*>(u"Label2"_s)->font().bold());
    QCOMPARE(form.findChild<QPushButton*>(u"Button_CancelCopy"_s)->text(), button);
    QCOMPARE(form.findChild<QLabel*>(u"Label1"_s)->text(), u"XXX"_s);
    QVERIFY(form.Button_CancelCopy->isEnabled());
}

void TestActionForm::loadPlacesTheWindowBesideTheMainWindow()
{
    auto m = newModule(false);
    ActionForm form(*m, m_main.get());

    QCOMPARE(form.pos(), QPoint(760, 383));
    QCOMPARE(form.size(), QSize(161, 90));
}

void TestActionForm::deletingTexts_data()
{
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<QString>("caption");

    QTest::newRow("English") << false << u"Now Deleting:"_s;
    QTest::newRow("Swedish") << true << u"Nu Raderas:"_s;
}

void TestActionForm::deletingTexts()
{
    QFETCH(bool, swedish);
    QFETCH(QString, caption);

    auto m = newModule(swedish);
    ActionForm form(*m, m_main.get());
    form.show();
    form.setDeleting();

    QCOMPARE(form.Label2->text(), caption);
    QVERIFY(!form.Button_CancelCopy->isVisible());
}

void TestActionForm::cancelSetsTheFlagOnce()
{
    auto m = newModule(false);
    ActionForm form(*m, m_main.get());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    QTest::mouseClick(form.Button_CancelCopy, Qt::LeftButton);
    QVERIFY(m->CancelRequested);
    QVERIFY(!form.Button_CancelCopy->isEnabled());
    QVERIFY(form.isVisible());

    m->CancelRequested = false;
    QTest::mouseClick(form.Button_CancelCopy, Qt::LeftButton);
    QVERIFY(!m->CancelRequested);
}

void TestActionForm::closeActsAsCancel()
{
    auto m = newModule(false);
    ActionForm form(*m, m_main.get());
    form.show();

    QVERIFY(!form.close());
    QVERIFY(m->CancelRequested);
    QVERIFY(!form.Button_CancelCopy->isEnabled());
    QVERIFY(form.isVisible());

    m->CancelRequested = false;
    QVERIFY(!form.close());
    QVERIFY(!m->CancelRequested);
    QVERIFY(form.isVisible());
}

void TestActionForm::closeWithoutCancelButton()
{
    auto m = newModule(false);
    ActionForm form(*m, m_main.get());
    form.show();
    form.setDeleting();

    QVERIFY(!form.close());
    QVERIFY(!m->CancelRequested);
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
    QTest::newRow("long path") << longPath << 800 << true;
    QTest::newRow("main narrower than the window") << longPath << 120 << true;
}

void TestActionForm::fitProgressWindow()
{
    QFETCH(QString, path);
    QFETCH(int, mainWidth);
    QFETCH(bool, wide);

    m_main->resize(mainWidth, 600);
    auto m = newModule(false);
    ActionForm form(*m, m_main.get());
    form.show();
    const int top = form.y();

    form.Label1->setText(path);
    form.FitProgressWindow(*m_main);

    QVERIFY(form.Label1->width() >= form.Label1->fontMetrics().horizontalAdvance(path));
    QCOMPARE(form.Label1->width() > 145, wide);
    const QRect outer = form.frameGeometry();
    QCOMPARE(outer.width(), wide ? form.Label1->width() + 23 : 168);
    const QRect main = m_main->frameGeometry();
    QCOMPARE(outer.x(), main.x() + (main.width() - outer.width()) / 2);
    QCOMPARE(outer.y(), top);
    QCOMPARE(outer.x() < main.x(), mainWidth < outer.width());
}

QTEST_MAIN(TestActionForm)
#include "tst_actionform.moc"
