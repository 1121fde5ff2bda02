#pragma once

#include <QObject>

class AppContext;
class QAction;
class QWidget;
class SourceListPane;
class SourcePane;

// The File menu's saved lists: saving the Source List to a file of the user's choice, and
// choosing a saved list or copy log, viewing it, deleting or renaming it, and recalling its
// folders into the Source List. The save item is on while the list has folders.
class SavedLists final : public QObject {
    Q_OBJECT

public:
    SavedLists(AppContext& app, SourcePane& source, SourceListPane& list, QWidget& mainWindow,
               QAction& showItem, QAction& saveItem);

    void save();
    void showSaved();

private:
    void recall(const QString& file);

    AppContext& m;
    SourcePane& m_source;
    SourceListPane& m_list;
    QWidget& m_mainWindow;
    QAction& m_saveItem;
};
