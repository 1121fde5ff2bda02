#include "ScriptedPlatform.h"

#include <QTest>

Platform::Answer ScriptedPlatform::message(const QString& title, const QString& text,
                                           Buttons buttons, Icon icon)
{
    m_messages.append(Message{title, text, buttons, icon});
    if (m_answers.isEmpty()) {
        const QByteArray what = "unexpected message \"" + title.toUtf8() + "\": " + text.toUtf8();
        QTest::qFail(what.constData(), __FILE__, __LINE__);
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
    return m_answers.dequeue();
}

std::optional<QString> ScriptedPlatform::nextFile(const FileDialog& dialog)
{
    m_fileDialogs.append(dialog);
    if (m_files.isEmpty()) {
        QTest::qFail("unexpected file dialog", __FILE__, __LINE__);
        return std::nullopt;
    }
    return m_files.dequeue();
}

std::optional<QString> ScriptedPlatform::openFileName(const FileDialog& dialog)
{
    return nextFile(dialog);
}

std::optional<QString> ScriptedPlatform::saveFileName(const FileDialog& dialog)
{
    return nextFile(dialog);
}

std::optional<QString> ScriptedPlatform::inputBox(const QString&, const QString&, const QString&)
{
    if (m_inputs.isEmpty()) {
        QTest::qFail("unexpected input box", __FILE__, __LINE__);
        return std::nullopt;
    }
    return m_inputs.dequeue();
}

bool ScriptedPlatform::startProgram(const QString& program, const QStringList& arguments)
{
    m_started.append(Started{program, arguments});
    return m_startSucceeds;
}

bool ScriptedPlatform::openUrl(const QUrl& url)
{
    m_urls.append(url);
    return true;
}
