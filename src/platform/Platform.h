#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

// Everything the windows ask of the desktop: message boxes, file dialogs, the input box, the
// clipboard, other programs and web addresses. The program uses the Qt implementation; tests
// answer from a script.
class Platform {
public:
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Icon { None, Information, Exclamation, Critical, Question };
    enum class Answer { Ok, Cancel, Yes, No };

    struct FileDialog {
        QString title;
        QString folder;   // initial folder
        QString fileName; // proposed name
        QString filter;   // "Source Lists (*.odr)"
        bool confirmOverwrite = true;
    };

    virtual ~Platform() = default;

    virtual Answer message(const QString& title, const QString& text, Buttons buttons,
                           Icon icon) = 0;
    // The chosen file, or nothing when the dialog was cancelled.
    virtual std::optional<QString> openFileName(const FileDialog& dialog) = 0;
    virtual std::optional<QString> saveFileName(const FileDialog& dialog) = 0;
    // The text typed, or nothing when the box was cancelled.
    virtual std::optional<QString> inputBox(const QString& title, const QString& prompt,
                                            const QString& text) = 0;
    virtual void setClipboardText(const QString& text) = 0;
    // Starts a program with its arguments, no shell in between; false when it cannot start.
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;
    // Opens a web page, a mail link or a local file or folder with the desktop's application.
    virtual bool openUrl(const QUrl& url) = 0;
};
