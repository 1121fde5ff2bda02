#pragma once

#include "Platform.h"

// The desktop as Qt offers it. Dialogs open over the active window.
class QtPlatform final : public Platform {
public:
    Answer message(const QString& title, const QString& text, Buttons buttons, Icon icon) override;
    std::optional<QString> openFileName(const FileDialog& dialog) override;
    std::optional<QString> saveFileName(const FileDialog& dialog) override;
    std::optional<QString> inputBox(const QString& title, const QString& prompt,
                                    const QString& text) override;
    void setClipboardText(const QString& text) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
    bool openUrl(const QUrl& url) override;
};
