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

const QStringList savedLines{u"/media/E/Music/Abba - Gold"_s, u"/media/E/Music/Björk - Post"_s,
                             u"end ----------------------------------"_s,
                             u"Number of mp3 files: 57"_s, u"TotalSize:  412 MB"_s};

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

} // namespace

class TestViewSavedFilesForm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }
    void showsEveryLineOfTheFile();
    void swedishTexts();
    void emptyFile();
    void decisions_data();
    void decisions();
    void copySelectedLines();
    void copyToTheDesktopClipboard();
    void copyWithNothingSelected();
    void menuOnRightClickAndAltM();
    void fileThatCannotBeRead_data();
    void fileThatCannotBeRead();

private:
    // The main window with the file "2024-12-05_1.odr" of the given content chosen.
    struct Setup {
        MainFormFixture f;
        MainForm* w = nullptr;
        QString file;
    };
    static void prepare(Setup& s, const QByteArray& content = savedList);
};

void TestViewSavedFilesForm::prepare(Setup& s, const QByteArray& content)
{
    s.w = &s.f.start();
    s.file = s.f.dir.file(u"Data/2024-12-05_1.odr"_s, content);
    s.f.m->SavedListPath = s.file;
}

void TestViewSavedFilesForm::showsEveryLineOfTheFile()
{
    Setup s;
    prepare(s);
    ViewSavedFilesForm form(*s.f.m, s.w);

    QVERIFY(form.loaded());
    QCOMPARE(form.objectName(), u"ViewSavedFilesForm"_s);
    QCOMPARE(form.windowTitle(), u"Saved Source File List:  2024-12-05_1.odr"_s);
    QCOMPARE(items(form.FileContent), savedLines);
    QCOMPARE(form.FileContent->selectionMode(), QAbstractItemView::ExtendedSelection);
    QCOMPARE(form.Label1->text(), u"ALT+M or Rigth Click on the list for menu"_s);
    QCOMPARE(form.Button_RecallFile->text(), u"&Recall"_s);
    QCOMPARE(form.Button_Close->text(), u"&Close"_s);
    QVERIFY(form.Button_RecallFile->isEnabled());

    QStringList menu;
    for (const QAction* item : form.Menu_Menu->actions())
        menu.append(item->objectName() + u'=' + item->text());
    QCOMPARE(menu,
             (QStringList{u"Menu_CopyClipBoard=Co&py to Clipboard"_s, u"Menu_Sp1="_s,
                          u"Menu_RenameFile=&Rename File"_s, u"Menu_DeleteFile=&Delete File"_s,
                          u"Menu_RecallFile=&Recall File"_s, u"Menu_Sp2="_s,
                          u"Menu_Close=Close &Window"_s, u"Menu_Cancel=&Cancel"_s}));
    QVERIFY(form.Menu_Sp1->isSeparator());
    QVERIFY(form.Menu_Sp2->isSeparator());
    QVERIFY(!form.Menu_CopyClipBoard->isEnabled());
    QCOMPARE(form.Menu_Menu->title(), u"Menu"_s);
    QVERIFY(s.f.platform->messages().isEmpty());
}

void TestViewSavedFilesForm::swedishTexts()
{
    Setup s;
    prepare(s);
    s.f.m->Swedish = true;
    ViewSavedFilesForm form(*s.f.m, s.w);

    QCOMPARE(form.windowTitle(), u"Sparad Källfil-lista:  2024-12-05_1.odr"_s);
    QCOMPARE(form.Label1->text(), u"ALT+M eller Högerklicka på listan för meny"_s);
    QCOMPARE(form.Button_RecallFile->text(), u"&Hämta"_s);
    QCOMPARE(form.Button_Close->text(), u"&Stäng"_s);
    QCOMPARE(form.Menu_CopyClipBoard->text(), u"Kopiera till klippbordet"_s);
    QCOMPARE(form.Menu_RenameFile->text(), u"&Rename File"_s);
    QCOMPARE(form.Menu_DeleteFile->text(), u"Radera fil"_s);
    QCOMPARE(form.Menu_RecallFile->text(), u"Hämta"_s);
    QCOMPARE(form.Menu_Close->text(), u"Stäng fönstret"_s);
    QCOMPARE(form.Menu_Cancel->text(), u"Avbryt"_s);
}

void TestViewSavedFilesForm::emptyFile()
{
    Setup s;
    prepare(s, QByteArray());
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

    Setup s;
    prepare(s);
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

void TestViewSavedFilesForm::copySelectedLines()
{
    Setup s;
    prepare(s);
    ViewSavedFilesForm form(*s.f.m, s.w);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));

    clickLine(form.FileContent, 0);
    QVERIFY(form.Menu_CopyClipBoard->isEnabled());
    clickLine(form.FileContent, 2, Qt::ControlModifier);
    // The menu opened on a line that is not selected leaves the selection as it is.
    QTest::mouseClick(form.FileContent->viewport(), Qt::RightButton, {},
                      form.FileContent->visualItemRect(form.FileContent->item(1)).center());
    QTRY_VERIFY(form.Menu_Menu->isVisible());
    QCOMPARE(form.FileContent->selectedItems().size(), 2);
    form.Menu_CopyClipBoard->trigger();
    form.Menu_Menu->close();

    QCOMPARE(s.f.platform->clipboardText(),
             u"/media/E/Music/Abba - Gold\r\nend ----------------------------------\r\n"_s);
    QVERIFY(form.FileContent->selectedItems().isEmpty());
    QVERIFY(!form.Menu_CopyClipBoard->isEnabled());
    QCOMPARE(QApplication::focusWidget(), form.FileContent);
    QVERIFY(form.isVisible());
}

void TestViewSavedFilesForm::copyToTheDesktopClipboard()
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
    clickLine(form.FileContent, 0);
    clickLine(form.FileContent, 2, Qt::ControlModifier);
    form.Menu_CopyClipBoard->trigger();

    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    QCOMPARE(copied->text(),
             u"/media/E/Music/Abba - Gold\r\nend ----------------------------------\r\n"_s);
    QVERIFY(!copied->hasHtml());
}

void TestViewSavedFilesForm::copyWithNothingSelected()
{
    Setup s;
    prepare(s);
    ViewSavedFilesForm form(*s.f.m, s.w);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    clickLine(form.FileContent, 4);
    form.Menu_CopyClipBoard->trigger();
    QCOMPARE(s.f.platform->clipboardText(), u"TotalSize:  412 MB\r\n"_s);

    clickLine(form.FileContent, 1);
    clickLine(form.FileContent, 1, Qt::ControlModifier);
    QVERIFY(form.FileContent->selectedItems().isEmpty());
    QVERIFY(form.Menu_CopyClipBoard->isEnabled());
    form.Menu_CopyClipBoard->trigger();
    QCOMPARE(s.f.platform->clipboardText(), QString());
}

void TestViewSavedFilesForm::menuOnRightClickAndAltM()
{
    Setup s;
    prepare(s);
    ViewSavedFilesForm form(*s.f.m, s.w);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    const QPoint at = form.FileContent->visualItemRect(form.FileContent->item(1)).center();
    QTest::mouseClick(form.FileContent->viewport(), Qt::RightButton, {}, at);
    QTRY_VERIFY(form.Menu_Menu->isVisible());
    form.Menu_Menu->close();
    QTRY_VERIFY(!form.Menu_Menu->isVisible());

    QTest::keyClick(form.FileContent, Qt::Key_M);
    QVERIFY(!form.Menu_Menu->isVisible());
    QTest::keyClick(form.FileContent, Qt::Key_M, Qt::AltModifier);
    QTRY_VERIFY(form.Menu_Menu->isVisible());
    form.Menu_Menu->close();
    QVERIFY(form.isVisible());
}

void TestViewSavedFilesForm::fileThatCannotBeRead_data()
{
    QTest::addColumn<QByteArray>("content"); // "" for a file that does not exist
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<QString>("message"); // %1 is the file's path, %2 the system's reason

    QTest::newRow("binary data")
        << QByteArray("abc\0def", 7) << false
        << u"ERROR|Could not read the file:  %1\nNot a list of folders: the file holds binary "
           u"data.|Ok|Exclamation"_s;
    QTest::newRow("missing, Swedish")
        << QByteArray() << true << u"ERROR|Kunde inte läsa filen:  %1\n%2|Ok|Exclamation"_s;
}

void TestViewSavedFilesForm::fileThatCannotBeRead()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, swedish);
    QFETCH(QString, message);

    Setup s;
    prepare(s, content);
    if (content.isEmpty())
        QVERIFY(QFile::remove(s.file));
    s.f.m->Swedish = swedish;
    s.f.platform->answer(Platform::Answer::Ok);
    ViewSavedFilesForm form(*s.f.m, s.w);

    QVERIFY(!form.loaded());
    message.replace(u"%1"_s, s.file)
        .replace(u"%2"_s, QString::fromLocal8Bit(std::strerror(ENOENT)));
    QCOMPARE(messageTexts(*s.f.platform), QStringList{message});
    QCOMPARE(s.f.m->SavedListPath, QString());
}

QTEST_MAIN(TestViewSavedFilesForm)
#include "tst_viewsavedfilesform.moc"
