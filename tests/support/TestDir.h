#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A throwaway folder with helpers that build trees of files and folders in one call.
class TestDir {
public:
    TestDir();
    ~TestDir();
    TestDir(const TestDir&) = delete;
    TestDir& operator=(const TestDir&) = delete;

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    // Full path of a relative name inside the folder.
    QString operator()(const QString& relative) const;

    // Creates folders and files: names ending in "/" are folders, others files (with parents).
    void create(const QStringList& entries) const;
    QString mkdir(const QString& relative) const;
    QString file(const QString& relative, const QByteArray& content = "data") const;

private:
    QTemporaryDir m_dir;
};

// The bytes of a file; empty when it cannot be read.
QByteArray contentOf(const QString& path);
// The entries of a folder by their bytes, hidden ones included, sorted and joined by blanks.
QString entriesOf(const QString& folder);
