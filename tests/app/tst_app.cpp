#include "support/MainWindowFixture.h"

#include "app/OptionsMenu.h"
#include "mainwindow/SourceListPane.h"
#include "support/MessageText.h"

#include "app/SizeText.h"
#include "app/VersionText.h"
#include "platform/DirListBox.h"
#include "platform/DriveListBox.h"
#include "resources/Pictures.h"

#include <QAction>
#include <QDir>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTest>

#include <clocale>

using namespace Qt::StringLiterals;
using A = Platform::Answer;

namespace {

// The source pane on E/Music of a removable drive E.
MainWindow& start(MainWindowFixture& f)
{
    f.addDrive(u"E"_s, true);
    f.dir.create({u"E/Music/Album/"_s});
    f.store(u"SourcePath"_s, f.dir(u"E/Music"_s));
    return f.start();
}

// Whether saving a default path, going there from the menu and going home are enabled.
QList<bool> homeControls(const MainWindow& w)
{
    return {child<QAction>(w, u"Menu_SaveCurrentLocationasDefaultPath"_s)->isEnabled(),
            child<QAction>(w, u"Menu_GotoDefaultPath"_s)->isEnabled(),
            child<QPushButton>(w, u"GoHome"_s)->isEnabled()};
}

// Whether anything is drawn in the picture: a pixel not wholly transparent.
bool drawn(const QImage& picture)
{
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixelColor(x, y).alpha() > 0)
                return true;
    return false;
}

} // namespace

class TestApp : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Sizes show a decimal point even where Qt's and the C library's locales use a comma.
    void initTestCase()
    {
        useTestModePaths();
        QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
        std::setlocale(LC_NUMERIC, "sv_SE.UTF-8");
    }
    void sizeText_data();
    void sizeText();
    void languageAndComposedTexts();
    void defaultPathAcrossARestart();
    void homeFolderGone();
    void pictures_data();
    void pictures();
};

void TestApp::sizeText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("unit"); // empty: the significant digits alone
    QTest::addColumn<float>("code");
    QTest::addColumn<QString>("expected");

    const QString b = u"B"_s;
    QTest::newRow("0") << 0.0 << b << 103.0F << QString();
    QTest::newRow("12") << 12.0 << b << 103.0F << u" 12.0 B "_s;
    QTest::newRow("below pico") << 1.23e-13 << b << 103.0F << u" 0.12 pB"_s;
    QTest::newRow("999.5 rounds up to kB") << 999.5 << b << 103.0F << u" 1.00 kB"_s;
    QTest::newRow("-1500") << -1500.0 << b << 103.0F << u"-1.50 kB"_s;
    QTest::newRow("999.7 kB rolls over") << 999700.0 << b << 103.0F << u" 1.00 MB"_s;
    QTest::newRow("9995 carries") << 9995.0 << b << 103.0F << u" 10.0 kB"_s;
    QTest::newRow("below the roll-over in single precision")
        << 999499990.0 << b << 103.0F << u"  1000 MB"_s;
    QTest::newRow("micro to milli") << 0.0009996 << b << 103.0F << u" 1.00 mB"_s;
    QTest::newRow(";B;") << 123.0 << u";B;"_s << 103.0F << u"123 B"_s;
    QTest::newRow("error code") << 1500.0 << b << 101.0F << u"Error: IntFrac= 101  kB"_s;
    QTest::newRow("truncates") << 1999.0 << b << -103.0F << u" 1.99 kB"_s;
    QTest::newRow("code 0") << 1234.5678 << b << 0.0F << u" 1.2345678 kB"_s;
    QTest::newRow("102 carries 9.96") << 9.96 << QString() << 102.0F << u"  10"_s;
}

void TestApp::sizeText()
{
    QFETCH(double, value);
    QFETCH(QString, unit);
    QFETCH(float, code);
    QFETCH(QString, expected);
    QCOMPARE(unit.isEmpty() ? FormatSignificant(value, code) : FormatWithPrefix(value, unit, code),
             expected);
}

// A change of language tells once and takes effect at once for messages, which compose paths
// differently in Swedish; it is stored at close. Only the exact text counts as a duplicate.
void TestApp::languageAndComposedTexts()
{
    QCOMPARE(versionText(1, 7, 0), u"1.7"_s);
    QCOMPARE(versionText(1, 2, 10), u"1.21"_s);
    MainWindowFixture f;
    MainWindow& w = f.start();
    const QString live = u"/media/Music/Album \"Live\""_s;
    child<QListWidget>(w, u"SourceList"_s)->addItem(live);
    QVERIFY(w.sourceListPane().checkDuplicate(u"/media/music/album \"live\""_s));
    f.platform->answer(A::Yes);
    QVERIFY(w.sourceListPane().checkDuplicate(live));
    child<QAction>(w, u"Menu_English"_s)->trigger();
    QCOMPARE(f.platform->messages().size(), 1);
    f.platform->answer(A::Ok);
    child<QAction>(w, u"Menu_Swedish"_s)->trigger();
    QCOMPARE(f.platform->messages().size(), 2);
    f.platform->answer(A::No);
    QVERIFY(!w.sourceListPane().checkDuplicate(live));
    f.platform->answer({A::Ok, A::Ok});
    f.m->ShowDriveNotReady(u"/media/usb  [MUSIC]"_s);
    f.m->ShowPathNotFound(u"/media/usb  [MUSIC]"_s);
    QStringList texts = messageTexts(*f.platform);
    texts.removeAt(1);
    QCOMPARE(texts,
             (QStringList{u"Duplicate folder|The folder  "_s + live +
                              u"  already exists.\n\nDo you want to copy it anyway "
                              u"?|YesNo|Question"_s,
                          u"Existerande folder|Folder  "_s + live +
                              u"  finns redan.\n\nVill du kopiera den ändå ?|YesNo|Question"_s,
                          u"Disk fel|Disk /media/usb  [MUSIC] är inte tillgänglig.|Ok|Critical"_s,
                          u"Error|/media/usb  [MUSIC]  existerar inte.|Ok|None"_s}));
    QVERIFY(!child<QAction>(w, u"Menu_English"_s)->isChecked());
    w.close();
    QCOMPARE(MainWindowFixture::stored(u"Swedish"_s), u"1"_s);
}

// Without a saved default path closing asks, and the path can still be saved from the menu. The
// next run reads the options back; turned off, the path is forgotten without a question.
void TestApp::defaultPathAcrossARestart()
{
    MainWindowFixture f;
    MainWindow& w = start(f);
    f.platform->answer(A::No);
    child<QAction>(w, u"Menu_UseDefaultSourcePath"_s)->trigger();
    QCOMPARE(homeControls(w), (QList<bool>{true, false, false}));
    f.platform->answer(A::No);
    QVERIFY(!w.close());
    f.platform->answer(A::Ok);
    child<QAction>(w, u"Menu_SaveCurrentLocationasDefaultPath"_s)->trigger();
    for (QAction* item :
         {child<QAction>(w, u"Menu_DisableToolTipsOnPanes"_s),
          child<QAction>(w, u"Menu_UseLogFile"_s), child<QAction>(w, u"Menu_UseLogFile"_s)})
        item->trigger();
    QVERIFY(w.close());
    QMap<QString, QString> written;
    for (const QString& key : MainWindowFixture::storedKeys())
        written.insert(key, MainWindowFixture::stored(key));

    MainWindowFixture next; // the same store, as the next run finds it
    next.drives->add(f.dir(u"E"_s), true);
    for (auto it = written.cbegin(); it != written.cend(); ++it)
        next.store(it.key(), it.value());
    MainWindow& again = next.start();
    QCOMPARE(again.options().defaultSourcePath(), f.dir(u"E/Music"_s));
    QCOMPARE(homeControls(again), (QList<bool>{true, true, true}));
    QVERIFY(child<QAction>(again, u"Menu_DisableToolTipsOnPanes"_s)->isChecked());
    QVERIFY(!child<QAction>(again, u"Menu_UseLogFile"_s)->isChecked());
    child<QAction>(again, u"Menu_UseDefaultSourcePath"_s)->trigger();
    QCOMPARE(again.options().defaultSourcePath(), QString());
    QCOMPARE(homeControls(again), (QList<bool>{false, false, false}));
    QVERIFY(next.platform->messages().isEmpty());
}

// Going home to a folder that is gone forgets it and turns the option off.
void TestApp::homeFolderGone()
{
    MainWindowFixture f;
    const QString home = f.dir(u"E/Music/Album"_s);
    f.store(u"DefaultSourcePath"_s, home);
    MainWindow& w = start(f);
    child<DriveListBox>(w, u"SourceDriveList"_s)->setDrive(f.system);
    child<QPushButton>(w, u"GoHome"_s)->click();
    QCOMPARE(child<DirListBox>(w, u"SourceFolderList"_s)->path(), home);
    QVERIFY(QDir(home).removeRecursively());
    f.platform->answer(A::Ok);
    child<QPushButton>(w, u"GoHome"_s)->click();
    QCOMPARE(f.platform->messages().first().text, home + u"  doesn't exist."_s);
    QVERIFY(!child<QAction>(w, u"Menu_UseDefaultSourcePath"_s)->isChecked());
    QCOMPARE(w.options().defaultSourcePath(), QString());
    QCOMPARE(homeControls(w), (QList<bool>{false, false, false}));
}

void TestApp::pictures_data()
{
    QTest::addColumn<QIcon>("icon");
    QTest::addColumn<int>("sizes");
    QTest::addColumn<QList<int>>("shownAt"); // the sizes the program shows it at
    for (const auto& [name, picture] : {std::pair{"add one", ButtonPicture::AddOne},
                                        {"add several", ButtonPicture::AddSeveral},
                                        {"remove", ButtonPicture::Remove},
                                        {"delete", ButtonPicture::Delete},
                                        {"copy", ButtonPicture::Copy},
                                        {"up one level", ButtonPicture::UpOneLevel},
                                        {"home", ButtonPicture::Home}})
        QTest::newRow(name) << buttonPicture(picture) << 4 << QList<int>{24, 32};
    QTest::newRow("application") << applicationIcon() << 6 << QList<int>{16, 32};
    // No icon theme here: Ordrane's own pictures.
    for (const auto& [name, picture] : {std::pair{"folder", ListPicture::Folder},
                                        {"open folder", ListPicture::OpenFolder},
                                        {"drive", ListPicture::Drive},
                                        {"removable drive", ListPicture::RemovableDrive}})
        QTest::newRow(name) << listPicture(picture) << 2 << QList<int>{16};
}

// Every picture is there at the sizes it is shown at on plain and high-density screens, between
// the sizes it has too, and looks different when its control is disabled.
void TestApp::pictures()
{
    QFETCH(QIcon, icon);
    QFETCH(int, sizes);
    QFETCH(QList<int>, shownAt);
    QCOMPARE(icon.availableSizes().size(), sizes);
    for (const int size : std::as_const(shownAt))
        for (const qreal ratio : {1.0, 1.5, 2.0}) {
            const QImage shown = icon.pixmap(QSize(size, size), ratio).toImage();
            QCOMPARE(shown.size(), QSize(size, size) * ratio);
            QVERIFY(drawn(shown));
        }
    // Lists and buttons make room for the size drawn, not for more.
    const QSize drawnSize(shownAt.first(), shownAt.first());
    QCOMPARE(icon.actualSize(drawnSize + QSize(7, 7)), drawnSize);
    const QImage normal = icon.pixmap(shownAt.first()).toImage();
    QVERIFY(icon.pixmap(shownAt.first(), QIcon::Disabled).toImage() != normal);
}

QTEST_MAIN(TestApp)
#include "tst_app.moc"
