#pragma once

#include "platform/Platform.h"

#include <QList>
#include <QQueue>

// The desktop of a test: answers come from a script, and everything shown or started is
// recorded. A message box nobody scripted an answer for fails the running test.
class ScriptedPlatform final : public Platform {
public:
    struct Message {
        QString title;
        QString text;
        Buttons buttons;
        Icon icon;
    };
    struct Started {
        QString program;
        QStringList arguments;
    };

    // Answers for the next message boxes, in order.
    void answer(Answer a) { m_answers.enqueue(a); }
    void answer(const QList<Answer>& answers) { m_answers.append(answers); }
    void answerFileDialog(std::optional<QString> chosen) { m_files.enqueue(std::move(chosen)); }
    void answerInputBox(std::optional<QString> typed) { m_inputs.enqueue(std::move(typed)); }
    void setStartSucceeds(bool succeeds) { m_startSucceeds = succeeds; }

    const QList<Message>& messages() const { return m_messages; }
    const QList<FileDialog>& fileDialogs() const { return m_fileDialogs; }
    const QList<Started>& started() const { return m_started; }
    const QList<QUrl>& openedUrls() const { return m_urls; }
    int unansweredLeft() const { return int(m_answers.size()); }

    Answer message(const QString& title, const QString& text, Buttons buttons, Icon icon) override;
    std::optional<QString> openFileName(const FileDialog& dialog) override;
    std::optional<QString> saveFileName(const FileDialog& dialog) override;
    std::optional<QString> inputBox(const QString& title, const QString& prompt,
                                    const QString& text) override;
    void setClipboardText(const QString&) override {}
    bool startProgram(const QString& program, const QStringList& arguments) override;
    bool openUrl(const QUrl& url) override;

private:
    std::optional<QString> nextFile(const FileDialog& dialog);

    QQueue<Answer> m_answers;
    QQueue<std::optional<QString>> m_files;
    QQueue<std::optional<QString>> m_inputs;
    QList<Message> m_messages;
    QList<FileDialog> m_fileDialogs;
    QList<Started> m_started;
    QList<QUrl> m_urls;
    bool m_startSucceeds = true;
};
