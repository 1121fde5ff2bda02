// Runs inside User-mode Linux (tests/uml/run-in-uml), on a stick served by Linux's own FAT
// driver, where a new entry takes the first free run of slots long enough for its name.
#include "support/MainWindowFixture.h"

#include "copy/Transfer.h"
#include "platform/DirListBox.h"
#include "platform/Folders.h"
#include "platform/FsError.h"
#include "platform/Paths.h"
#include "playorder/NameSort.h"
#include "playorder/PlayOrderDialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QString stick(const QString& relative = {})
{
    return paths::join(qEnvironmentVariable("ORDRANE_UML_STICK"), relative);
}

// Every entry of the folder, hidden ones too, as the volume stores them.
QStringList stored(const QString& folder)
{
    QStringList names;
    folders::forEachEntry(folder, [&](const QByteArray& name, folders::Kind) {
        names.append(paths::fromNative(name));
    });
    return names;
}

// Makes a folder on the stick and works in it: "name/" makes a folder, "name" a file holding its
// own name, "-name" removes an entry, leaving its slots free.
QString layout(const QString& folder, const QStringList& steps)
{
    const QString root = stick(folder);
    ::mkdir(paths::toNative(root).constData(), 0755);
    for (const QString& step : steps) {
        const QByteArray path = paths::toNative(paths::join(root, step.mid(step.startsWith(u'-'))));
        if (step.startsWith(u'-'))
            ::remove(path.constData());
        else if (step.endsWith(u'/'))
            ::mkdir(path.constData(), 0755);
        else {
            QFile file(paths::fromNative(path));
            if (!file.open(QIODevice::WriteOnly) || file.write(path) != path.size())
                qWarning("cannot write %s", path.constData());
        }
    }
    return root;
}

// Every entry below the folder with its time and content, however the entries are stored.
QStringList tree(const QString& folder)
{
    QStringList lines;
    for (const QString& name : stored(folder)) {
        const QString path = paths::join(folder, name);
        struct stat st {};
        ::lstat(paths::toNative(path).constData(), &st);
        lines.append(name + u' ' + QString::number(st.st_mtim.tv_sec) + u'.' +
                     QString::number(st.st_mtim.tv_nsec) + u' ' +
                     QString::fromUtf8(contentOf(path)));
        if (folders::canOpen(path))
            for (const QString& line : tree(path))
                lines.append(name + u'/' + line);
    }
    lines.sort();
    return lines;
}

} // namespace

class TestPlayOrderUml : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        useTestModePaths();
        if (!qEnvironmentVariableIsSet("ORDRANE_UML_STICK"))
            QSKIP("runs inside User-mode Linux only (tests/uml/run-in-uml)");
        m_source.create({u"Album/1.mp3"_s, u"Album/2.mp3"_s, u"Album/3.mp3"_s});
    }

    // Entries of the folder before the run, separated by "|" (see layout()), the folders the
    // run copies into it, and the stored order of the folder read after it.
    void copyRunNeverFillsAGap_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("copied");
        QTest::addColumn<QString>("read");
        QTest::addColumn<QString>("expected");
        QTest::newRow("a deleted folder")
            << u"01_Old/|02_Gone/|03_Kept/|-02_Gone"_s << u"04_Ay|05_Bee"_s << QString()
            << u"01_Old|03_Kept|04_Ay|05_Bee"_s;
        QTest::newRow("the first folder deleted")
            << u"01_Old/|02_Kept/|-01_Old"_s << u"06_Cee"_s << QString() << u"02_Kept|06_Cee"_s;
        QTest::newRow("8.3 names")
            << u"A/|GONE/|C/|-GONE"_s << u"D|E"_s << QString() << u"A|C|D|E"_s;
        QTest::newRow("a name longer than any gap")
            << u"A/|Bb/|C/|-Bb"_s << u"A long album name that needs many slots|Z"_s << QString()
            << u"A|C|A long album name that needs many slots|Z"_s;
        // More free slots than the entries left could account for.
        QString allButTheLastDeleted = u"Last/"_s;
        for (int i = 0; i < 40; ++i)
            allButTheLastDeleted.prepend(u"Album %1/|"_s.arg(i)).append(u"|-Album %1"_s.arg(i));
        QTest::newRow("all but the last folder deleted")
            << allButTheLastDeleted << u"New|Newer"_s << QString() << u"Last|New|Newer"_s;
        QTest::newRow("a merged folder with a deleted file")
            << u"Album/|Album/1.mp3|Album/Gone with a long name.mp3|Album/0.mp3|"
               u"-Album/Gone with a long name.mp3"_s
            << u"Album"_s << u"Album"_s << u"1.mp3|0.mp3|2.mp3"_s;
    }

    void copyRunNeverFillsAGap()
    {
        QFETCH(QString, before);
        QFETCH(QString, copied);
        QFETCH(QString, read);
        const QString folder =
            layout(u"Copy "_s + QString::fromUtf8(QTest::currentDataTag()), before.split(u'|'));
        {
            transfer::Target target(folder, stick(), true);
            for (const QString& name : copied.split(u'|'))
                target.copyFolder(m_source(u"Album"_s), name, {u"1.mp3"_s, u"2.mp3"_s});
        }
        QTEST(stored(paths::join(folder, read)).join(u'|'), "expected");
        const QString last = paths::join(folder, copied.section(u'|', -1));
        QCOMPARE(stored(last).last(), u"2.mp3"_s);
        QCOMPARE(contentOf(last + u"/1.mp3"_s), contentOf(m_source(u"Album/1.mp3"_s)));
    }

    void placeholdersGoAfterAFailure()
    {
        const QString folder = layout(u"Failure"_s, {u"A/"_s, u"B/"_s, u"C/"_s, u"-B"_s});
        {
            transfer::Target target(folder, stick(), true);
            QVERIFY_THROWS_EXCEPTION(FsError, target.copyFolder(m_source(u"Album"_s), u"D"_s,
                                                                {u"1.mp3"_s, u"missing.mp3"_s}));
        }
        QCOMPARE(stored(folder), (QStringList{u"A"_s, u"C"_s, u"D"_s}));
        QCOMPARE(stored(paths::join(folder, u"D"_s)), QStringList{u"1.mp3"_s});
    }

    // FAT holds no file of 4 GiB: such a file is refused before a byte of it is written.
    void fileTooLargeForFat()
    {
        const QString big = m_source(u"Big/big.mp3"_s);
        QVERIFY(QDir().mkpath(paths::cutAfterLastSlash(big)));
        QFile file(big);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(qint64(4) << 30));
        file.close();
        const QString folder = layout(u"Too large"_s, {});
        transfer::Target target(folder, stick(), true);
        try {
            target.copyFolder(paths::cutAfterLastSlash(big), u"Big"_s, {u"big.mp3"_s});
            QFAIL("a file of 4 GiB was copied onto FAT");
        } catch (const FsError& error) {
            QCOMPARE(error.path(), big);
            QVERIFY2(error.reason(false).contains(u"File too large"_s),
                     qPrintable(error.reason(false)));
        }
        QCOMPARE(stored(paths::join(folder, u"Big"_s)), QStringList());
    }

    void windowShowsAndSortsTheStoredOrder()
    {
        const QString folder =
            layout(u"Window"_s, {u"Beta/"_s, u"alpha/"_s, u"Gamma 10/"_s, u"Gamma 9/"_s,
                                 u"Beta/2.mp3"_s, u"Beta/10.mp3"_s, u"Beta/1.mp3"_s});
        ScriptedPlatform platform;
        PlayOrderDialog form(platform, false, u"vfat"_s, folder, nullptr);
        QSignalSpy changed(&form, &PlayOrderDialog::stickChanged);
        form.show();
        auto* list = form.findChild<QListWidget*>(u"PlayOrderList"_s);
        auto* files = form.findChild<QListWidget*>(u"PlayOrderFiles"_s);
        auto* state = form.findChild<QLabel*>(u"PlayOrderState"_s);
        auto* sort = form.findChild<QPushButton*>(u"SortPlayOrder"_s);
        const auto items = [](QListWidget* l) {
            QStringList texts;
            for (int i = 0; i < l->count(); ++i)
                texts.append(l->item(i)->text());
            return texts;
        };
        QCOMPARE(items(list), (QStringList{u"Beta"_s, u"alpha"_s, u"Gamma 10"_s, u"Gamma 9"_s}));
        QCOMPARE(items(files), (QStringList{u"2.mp3"_s, u"10.mp3"_s, u"1.mp3"_s}));
        QCOMPARE(state->text(), u"Not in name order: a player plays them as listed."_s);
        QVERIFY(sort->isEnabled());

        // While the sort runs, the window takes no input, shows the busy pointer, and Esc does
        // not close it.
        bool checkedDuringSort = false;
        QMetaObject::invokeMethod(
            &form,
            [&] {
                checkedDuringSort = !form.isEnabled() && QApplication::overrideCursor() &&
                                    QApplication::overrideCursor()->shape() == Qt::WaitCursor;
                QTest::keyClick(&form, Qt::Key_Escape);
            },
            Qt::QueuedConnection);
        platform.answer(Platform::Answer::Ok);
        QTest::mouseClick(sort, Qt::LeftButton);
        QVERIFY(checkedDuringSort);
        QVERIFY(form.isVisible());
        const ScriptedPlatform::Message question = platform.messages().value(0);
        QCOMPARE(
            question.title + u'|' + question.text,
            u"Sort by Name|The folders in "_s + folder +
                u" and the files in each of them will be put in name order on the drive.\n"
                u"Do not remove the drive before this is done.\n\nDo you want to continue ?"_s);
        QCOMPARE(items(list), (QStringList{u"alpha"_s, u"Beta"_s, u"Gamma 9"_s, u"Gamma 10"_s}));
        list->setCurrentRow(1);
        QCOMPARE(items(files), (QStringList{u"1.mp3"_s, u"2.mp3"_s, u"10.mp3"_s}));
        QCOMPARE(state->text(), u"In name order."_s);
        QVERIFY(!sort->isEnabled());
        QCOMPARE(changed.size(), 1);
        QCOMPARE(stored(folder), items(list));
    }

    void readOnlyVolume()
    {
        layout(u"Read-only"_s, {u"B/"_s, u"A/"_s});
        const QString folder =
            paths::join(qEnvironmentVariable("ORDRANE_UML_READONLY"), u"Read-only"_s);
        ScriptedPlatform platform;
        PlayOrderDialog form(platform, true, u"vfat"_s, folder, nullptr);
        platform.answer(Platform::Answer::Ok);
        platform.answer(Platform::Answer::Ok);
        QTest::mouseClick(form.findChild<QPushButton*>(u"SortPlayOrder"_s), Qt::LeftButton);
        const ScriptedPlatform::Message failure = platform.messages().value(1);
        QCOMPARE(failure.title + u'|' + failure.text,
                 u"Sortera efter namn|"_s + folder +
                     u" kunde inte ställas i namnordning:\nRead-only file system"_s);
        QCOMPARE(failure.icon, Platform::Icon::Critical);
        QCOMPARE(form.findChild<QLabel*>(u"PlayOrderState"_s)->text(),
                 u"Inte i namnordning: en spelare spelar dem som de står."_s);
        QCOMPARE(stored(folder), (QStringList{u"B"_s, u"A"_s}));
    }

    void sortKeepsNamesTimesAndContent()
    {
        const QString folder = layout(
            u"Sorted"_s, {u"c.mp3"_s, u"Zed/"_s, u"Gone one/"_s, u"b/"_s, u".hidden"_s, u"a.mp3"_s,
                          u"b/3.mp3"_s, u"b/a long file name.mp3"_s, u"b/1.mp3"_s, u"-Gone one"_s,
                          u"Zed/inner/"_s, u"Zed/inner/x.mp3"_s});
        const QStringList before = tree(folder);
        QVERIFY(namesort::sortByName(folder));
        QCOMPARE(tree(folder), before);
        // The new order is read from the image after the kernel has halted.
        QFile outside(qEnvironmentVariable("ORDRANE_UML_OUT") + u"/outside-order"_s);
        QVERIFY(outside.open(QIODevice::Append));
        outside.write(
            "/Sorted/|b Zed a.mp3 c.mp3 .hidden\n/Sorted/b/|1.mp3 3.mp3 a long file name.mp3\n");
    }

    void interruptedSortIsFinished_data()
    {
        QTest::addColumn<int>("stopAt");
        int steps = 0;
        namesort::sortByName(layout(u"Counted"_s, interruptedLayout()),
                             [&] { return ++steps > 0; });
        for (int k = 1; k <= steps; ++k)
            QTest::addRow("step %d of %d", k, steps) << k;
    }

    void interruptedSortIsFinished()
    {
        QFETCH(int, stopAt);
        const QString folder =
            layout(u"Interrupted "_s + QString::number(stopAt), interruptedLayout());
        const QStringList before = tree(folder);
        int steps = 0;
        QVERIFY(!namesort::sortByName(folder, [&] { return ++steps < stopAt; }));
        // Every entry is still there under its name, at worst inside the sort folder; empty
        // placeholders aside.
        const QString sortFolder = namesort::sortFolderName();
        QStringList reachable = tree(folder);
        reachable.removeIf([&](const QString& line) {
            return line.contains(
                QRegularExpression(u"(^|/)(GAP\\d{5}\\.ORD|"_s + sortFolder + u") "_s));
        });
        for (QString& line : reachable)
            line.remove(sortFolder + u'/');
        reachable.sort();
        QCOMPARE(reachable, before);

        bool sortFolderLeft = false;
        for (const QString& sub : {QString(), u"A"_s, u"B"_s})
            sortFolderLeft |=
                folders::canOpen(paths::join(paths::join(folder, sub), namesort::sortFolderName()));
        // Finished when the target pane opens the folder, here at the start.
        MainWindowFixture f;
        f.drives->add(stick(), true, u"ORDRANE"_s, u"vfat"_s);
        f.store(u"Swedish"_s, u"1"_s);
        f.store(u"TargetPath"_s, folder);
        if (sortFolderLeft)
            f.platform->answer(Platform::Answer::Ok);
        MainWindow& w = f.start();
        QCOMPARE(f.platform->messages().size(), sortFolderLeft ? 1 : 0);
        if (sortFolderLeft)
            QCOMPARE(f.platform->messages().value(0).text,
                     u"Sorteringen efter namn i "_s + folder + u" avbröts. Den är nu slutförd."_s);
        QCOMPARE(itemsOf(child<QListWidget>(w, u"TargetList"_s)),
                 (QStringList{folder + u"/A"_s, folder + u"/B"_s}));
        QCOMPARE(namesort::finishInterrupted(folder), false);
        QVERIFY(namesort::sortByName(folder));
        QCOMPARE(stored(folder), (QStringList{u"A"_s, u"B"_s, u"a.mp3"_s, u"b.mp3"_s}));
        QCOMPARE(stored(paths::join(folder, u"B"_s)), (QStringList{u"1.mp3"_s, u"2.mp3"_s}));
        QCOMPARE(tree(folder), before);
    }

    // Through the main window: a folder deleted with the target pane's delete button leaves a
    // gap, and the album copied next is still stored last.
    void deletedInThePaneThenCopied()
    {
        const QString folder = layout(u"Pane"_s, {u"01_Old/"_s, u"02_Kept/"_s});
        MainWindowFixture f;
        f.dir.create({u"C/Music/Album/1.mp3"_s});
        f.drives->add(stick(), true, u"ORDRANE"_s, u"vfat"_s);
        f.store(u"SourcePath"_s, f.dir(u"C/Music"_s));
        f.store(u"TargetPath"_s, folder);
        MainWindow& w = f.start();
        w.show();
        child<QListWidget>(w, u"TargetList"_s)->setCurrentRow(0);
        f.platform->answer(Platform::Answer::Yes);
        child<QPushButton>(w, u"RemoveTargetFolder"_s)->click();
        child<DirListBox>(w, u"SourceFolderList"_s)->setListIndex(0);
        QTest::keyClick(child<DirListBox>(w, u"SourceFolderList"_s), Qt::Key_Insert);
        f.platform->answer(Platform::Answer::Ok);
        child<QPushButton>(w, u"CopyFolders"_s)->click();
        QCOMPARE(stored(folder), (QStringList{u"02_Kept"_s, u"Album"_s}));
        QCOMPARE(f.platform->messages().size(), 2);
    }

    // Last: it sorts everything the other cases left in the stick's root.
    void sortOfTheRoot()
    {
        QVERIFY(namesort::sortByName(stick()));
        // The new order is read from the image after the kernel has halted.
        QStringList expected = stored(stick());
        paths::sortNaturally(expected);
        QFile outside(qEnvironmentVariable("ORDRANE_UML_OUT") + u"/outside-order"_s);
        QVERIFY(outside.open(QIODevice::Append));
        outside.write("/|" + expected.join(u' ').toUtf8() + '\n');
    }

private:
    static QStringList interruptedLayout()
    {
        return {u"b.mp3"_s, u"B/"_s, u"X/"_s,      u"a.mp3"_s,
                u"A/"_s,    u"-X"_s, u"B/2.mp3"_s, u"B/1.mp3"_s};
    }

    TestDir m_source;
};

QTEST_MAIN(TestPlayOrderUml)
#include "tst_playorderuml.moc"
