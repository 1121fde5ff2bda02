#include "support/MainFormFixture.h"
#include "support/MessageText.h"

#include "platform/QtPlatform.h"
#include "savedlists/ViewSavedFilesForm.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

#include <cerrno>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

const QByteArray savedList = "/media/E/Music/Abba - Gold\r\n"
                             "/media/E/Music/Björk - Post\r\n"
                             "end ----------------------------------\r\n"
                             "Number of mp3 files: 57\r\n"
                             "TotalSize:  412 MB\r\n";

QStringList items(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

void clickLine(QListWidget* list, int row, Qt::KeyboardModifiers modifiers = {})
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
                      list->visualItemRect(list->item(row)).center());
}

// The main window with the file "2024-12-05_1.odr" of the given content chosen.
struct Program {
    explicit Program(const QByteArray& content = savedList)
    {
        w = &f.start();
        file = f.dir.file(u"Data/2024-12-05_1.odr"_s, content);
        f.m->SavedListPath = file;
    }

    MainFormFixture f;
    MainForm* w = nullptr;
    QString file;
};

} // namespace

class TestViewSavedFilesForm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }
    void texts_data();
    void texts();
    void emptyFile();
    void decisions_data();
    void decisions();
    void copyToTheClipboard();
    void menuOnAltM();
    void fileThatCannotBeRead();
};

void TestViewSavedFilesForm::texts_data()
{
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<QString>("texts"); // caption, label, buttons, then the pop-up menu

    QTest::newRow("English") << false
                             << u"Saved Source File List:  2024-12-05_1.odr|ALT+M or Rigth Click "
                                u"on the list for menu|&Recall|&Close|Co&py to Clipboard||&Rename "
                                u"File|&Delete File|&Recall File||Close &Window|&Cancel"_s;
    QTest::newRow("Swedish") << true
                             << u"Sparad Källfil-lista:  2024-12-05_1.odr|ALT+M eller Högerklicka "
                                u"på listan för meny|&Hämta|&Stäng|Kopiera till klippbordet||"
                                u"&Rename File|Radera fil|Hämta||Stäng fönstret|Avbryt"_s;
}

void TestViewSavedFilesForm::texts()
{
    QFETCH(bool, swedish);
    QFETCH(QString, texts);

    Program s;
    s.f.m->Swedish = swedish;
    ViewSavedFilesForm form(*s.f.m, s.w);

    QVERIFY(form.loaded());
    QCOMPARE(items(form.FileContent),
             QString::fromUtf8(savedList).split(u"\r\n"_s, Qt::SkipEmptyParts));
    QStringList shown{form.windowTitle(), form.Label1->text(), form.Button_RecallFile->text(),
                      form.Button_Close->text()};
    for (const QAction* item : form.Menu_Menu->actions())
        shown.append(item->text());
    QCOMPARE(shown.join(u'|'), texts);
    QVERIFY(form.Button_RecallFile->isEnabled());
    QVERIFY(!form.Menu_CopyClipBoard->isEnabled());
    QVERIFY(s.f.platform->messages().isEmpty());
}

void TestViewSavedFilesForm::emptyFile()
{
    Program s{QByteArray()};
    ViewSavedFilesForm form(*s.f.m, s.w);
    form.show();

    QVERIFY(form.loaded());
    QCOMPARE(form.FileContent->count(), 0);
    QVERIFY(!form.Button_RecallFile->isEnabled());
    QVERIFY(form.Menu_RecallFile->isEnabled());
    form.Menu_RecallFile->trigger();
    QVERIFY(!form.isVisible());
    QCOMPARE(s.f.m->SavedListPath, s.file);
}

void TestViewSavedFilesForm::decisions_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("handedBack"); // %1 is the file's path

    QTest::newRow("Recall button") << u"Button_RecallFile"_s << u"%1"_s;
    QTest::newRow("Recall File item") << u"Menu_RecallFile"_s << u"%1"_s;
    QTest::newRow("Close button") << u"Button_Close"_s << QString();
    QTest::newRow("Close Window item") << u"Menu_Close"_s << QString();
    QTest::newRow("Delete File item") << u"Menu_DeleteFile"_s << u">%1"_s;
    QTest::newRow("Rename File item") << u"Menu_RenameFile"_s << u"<%1"_s;
    QTest::newRow("Esc in the list") << u"Esc"_s << QString();
    QTest::newRow("title bar's close") << u"title bar"_s << QString();
}

void TestViewSavedFilesForm::decisions()
{
    QFETCH(QString, action);
    QFETCH(QString, handedBack);

    Program s;
    ViewSavedFilesForm form(*s.f.m, s.w);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    if (action == u"Esc"_s)
        QTest::keyClick(form.FileContent, Qt::Key_Escape);
    else if (action == u"title bar"_s)
        form.close();
    else if (auto* button = form.findChild<QPushButton*>(action))
        QTest::mouseClick(button, Qt::LeftButton);
    else
        form.findChild<QAction*>(action)->trigger();

    QVERIFY(!form.isVisible());
    QCOMPARE(s.f.m->SavedListPath, handedBack.isEmpty() ? QString() : handedBack.arg(s.file));
    QVERIFY(s.f.platform->messages().isEmpty());
}

void TestViewSavedFilesForm::copyToTheClipboard()
{
    TestDir dir;
    Module1 m(std::make_unique<QtPlatform>(), std::make_unique<TestDrives>());
    m.SavedListPath = dir.file(u"2024-12-05_1.odr"_s, savedList);
    auto* before = new QMimeData;
    before->setHtml(u"<b>older</b>"_s);
    before->setText(u"older"_s);
    QGuiApplication::clipboard()->setMimeData(before);
    ViewSavedFilesForm form(m, nullptr);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QListWidget* list = form.FileContent;

    clickLine(list, 4);
    form.Menu_CopyClipBoard->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), u"TotalSize:  412 MB\r\n"_s);

    clickLine(list, 0);
    QVERIFY(form.Menu_CopyClipBoard->isEnabled());
    clickLine(list, 2, Qt::ControlModifier);
    // The menu opened on a line that is not selected leaves the selection as it is.
    QTest::mouseClick(list->viewport(), Qt::RightButton, {},
                      list->visualItemRect(list->item(1)).center());
    QTRY_VERIFY(form.Menu_Menu->isVisible());
    QCOMPARE(list->selectedItems().size(), 2);
    form.Menu_CopyClipBoard->trigger();
    form.Menu_Menu->close();
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    QCOMPARE(copied->text(),
             u"/media/E/Music/Abba - Gold\r\nend ----------------------------------\r\n"_s);
    QVERIFY(!copied->hasHtml());
    QVERIFY(list->selectedItems().isEmpty());
    QVERIFY(!form.Menu_CopyClipBoard->isEnabled());
    QCOMPARE(QApplication::focusWidget(), list);
    QVERIFY(form.isVisible());

    // A line picked and unpicked again leaves nothing to copy.
    clickLine(list, 1);
    clickLine(list, 1, Qt::ControlModifier);
    QVERIFY(list->selectedItems().isEmpty());
    form.Menu_CopyClipBoard->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QString());
}

void TestViewSavedFilesForm::menuOnAltM()
{
    Program s;
    ViewSavedFilesForm form(*s.f.m, s.w);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    QTest::keyClick(form.FileContent, Qt::Key_M);
    QVERIFY(!form.Menu_Menu->isVisible());
    QTest::keyClick(form.FileContent, Qt::Key_M, Qt::AltModifier);
    QTRY_VERIFY(form.Menu_Menu->isVisible());
    form.Menu_Menu->close();
    QVERIFY(form.isVisible());
}

void TestViewSavedFilesForm::fileThatCannotBeRead()
{
    Program s;
    QVERIFY(QFile::remove(s.file));
    s.f.m->Swedish = true;
    s.f.platform->answer(Platform::Answer::Ok);
    ViewSavedFilesForm form(*s.f.m, s.w);

    QVERIFY(!form.loaded());
    QCOMPARE(messageTexts(*s.f.platform),
             QStringList{u"ERROR|Kunde inte läsa filen:  "_s + s.file + u'\n' +
                         QString::fromLocal8Bit(std::strerror(ENOENT)) + u"|Ok|Exclamation"_s});
    QCOMPARE(s.f.m->SavedListPath, QString());
}

QTEST_MAIN(TestViewSavedFilesForm)
#include "tst_viewsavedfilesform.moc"
