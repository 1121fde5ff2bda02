#include "SettingsStore.h"

#include "Paths.h"

using namespace Qt::StringLiterals;

SettingsStore::SettingsStore()
    : m_settings(QSettings::NativeFormat, QSettings::UserScope, u"Ordrane"_s, u"Ordrane"_s)
{
    m_settings.beginGroup(u"Settings"_s);
}

QString SettingsStore::value(const QString& key, const QString& defaultValue) const
{
    const QVariant stored = m_settings.value(key);
    if (!stored.isValid())
        return defaultValue;
    if (stored.typeId() == QMetaType::QByteArray)
        return paths::fromNative(stored.toByteArray());
    return stored.toString();
}

void SettingsStore::setValue(const QString& key, const QString& text)
{
    // A path whose name is not UTF-8 is kept by its bytes; any other text as text.
    const QByteArray bytes = paths::toNative(text);
    if (bytes.isValidUtf8())
        m_settings.setValue(key, text);
    else
        m_settings.setValue(key, bytes);
}

void SettingsStore::flush()
{
    m_settings.sync();
}

double SettingsStore::number(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    auto digits = [&] {
        const qsizetype from = i;
        while (i < text.size() && text[i] >= u'0' && text[i] <= u'9')
            ++i;
        return i > from;
    };
    bool any = digits();
    if (i < text.size() && text[i] == u'.') {
        ++i;
        any = digits() || any;
    }
    if (!any)
        return 0.0;
    qsizetype end = i;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
            ++i;
        if (digits())
            end = i;
    }
    return text.mid(start, end - start).toDouble();
}

QString SettingsStore::onOff(bool on)
{
    return on ? u"1"_s : u"0"_s;
}
