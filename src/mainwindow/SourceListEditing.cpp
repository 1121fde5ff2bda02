// Between the source pane and the Source List: adding the highlighted source folder or several
// folders, and clearing the list.

#include "MainWindow.h"

#include "SourceListPane.h"
#include "SourcePane.h"
#include "app/AppContext.h"
#include "multicopy/MultiFolderDialog.h"
#include "platform/FsError.h"
#include "platform/Paths.h"

#include <QCoreApplication>

#include <memory>

using namespace Qt::StringLiterals;

void MainWindow::CopyFolder_Click()
{
    const QString path = m_source->highlightedFolder();
    try {
        if (paths::isRoot(path)) {
            const auto answer = m.message(
                m.text(u"Many Files"_s, u"Många Filer"_s),
                m.text(u"This is a root directory.\nAre you sure you want to continue ?"_s,
                       u"Detta är en root folder.\nVill du verkligen forsätta ?"_s),
                Platform::Buttons::YesNo, Platform::Icon::Question);
            if (answer == Platform::Answer::No)
                return;
        }
        if (m_list->addFolder(path))
            m_list->showTotal();
    } catch (const FsError&) {
        m.ShowPathNotFound(path);
        m_source->reread(path);
    }
    m_source->focusFolders();
}

void MainWindow::CopyMultipleFolders_Click()
{
    // A new window for each opening: it lists the folder open at this moment.
    auto window = std::make_unique<MultiFolderDialog>(m, *m_source, *m_list, this);
    window->exec();
    window.reset();
    QCoreApplication::processEvents();
    m_source->focusFolders();
}

void MainWindow::ClearSourceList_Click()
{
    const auto answer = m.message(m.text(u"Clear Source List"_s, u"Rensa alla filer i listan"_s),
                                  m.text(u"Are you sure ?"_s, u"Är du säker ?"_s),
                                  Platform::Buttons::YesNo, Platform::Icon::Question);
    if (answer == Platform::Answer::No)
        return;
    m_list->clear();
    m_source->focusFolders();
}
