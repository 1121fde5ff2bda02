#pragma once

#include <QDialog>
#include <QUrl>

class AppContext;
class QFrame;
class QLabel;
class QPushButton;

// Where the About window points: the version-data file its check reads, the program's home page
// and the contact e-mail address.
struct AboutLinks {
    QUrl versionData;
    QUrl homePage;
    QString contact;

    // The ones this build was configured with.
    static AboutLinks configured();
};

// The About window: the program's title, version, description and contact address, and the
// online check for a newer version.
class AboutDialog final : public QDialog {
    Q_OBJECT

public:
    AboutDialog(AppContext& m, AboutLinks links, QWidget* parent);

    // Opens a new mail message in the desktop's mail program. "mailto:" goes in front of an
    // address that does not start with it (in any letter case); subject and body are added
    // as they stand, when not empty.
    void OpenMailLink(const QString& address, const QString& subject, const QString& body);

public Q_SLOTS:
    void Form_Load();
    // Downloads the version-data file into the cache folder, compares the program's entry with
    // the running version, says so and offers the home page. The window takes no input
    // meanwhile.
    void CheckUpdate_Click();
    void lblEmail_Click();
    void cmdOK_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblEmail = nullptr;
    QFrame* Line1 = nullptr;
    QPushButton* CheckUpdate = nullptr;
    QPushButton* cmdOK = nullptr;

    // The verdict on the downloaded file; empty when the running version is the latest.
    QString versionCheckMessage(const QString& file) const;

    AppContext& m;
    AboutLinks m_links;
};
