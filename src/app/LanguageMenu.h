#pragma once

#include <QObject>

class AppContext;
class QAction;

// The language items of the Options menu. The choice takes effect at once for messages and for
// windows opened afterwards; the main window's own texts follow at the next start.
class LanguageMenu final : public QObject {
    Q_OBJECT

public:
    LanguageMenu(AppContext& app, QAction& english, QAction& swedish, QObject* parent);

    void chooseEnglish();
    void chooseSwedish();

private:
    AppContext& m;
    QAction& m_english;
    QAction& m_swedish;
};
