#pragma once

#include <QSettings>
#include <QString>

// The per-user settings store: text values in group "Settings" of application "Ordrane". A
// folder path whose name is not UTF-8 (paths::fromNative) is stored as a byte array and comes
// back with the same bytes; every other text is stored as text.
class SettingsStore {
public:
    SettingsStore();

    QString value(const QString& key, const QString& defaultValue) const;
    void setValue(const QString& key, const QString& text);
    // Writes pending values to the store now.
    void flush();

    // An option's stored text read as a number: leading blanks skipped, reading stops at the
    // first character that cannot continue a number, no number at all is 0.
    static double number(const QString& text);
    // Any non-zero number counts as on.
    static bool isOn(const QString& text) { return number(text) != 0.0; }
    static QString onOff(bool on);

private:
    QSettings m_settings;
};
