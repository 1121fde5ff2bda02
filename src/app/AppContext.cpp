#include "AppContext.h"

#include "platform/QtPlatform.h"
#include "platform/SystemDrives.h"

using namespace Qt::StringLiterals;

AppContext::AppContext()
    : AppContext(std::make_unique<QtPlatform>(), std::make_unique<SystemDrives>())
{
}

AppContext::AppContext(std::unique_ptr<Platform> platform, std::unique_ptr<Drives> drives)
    : m_platform(std::move(platform))
    , m_drives(std::move(drives))
    , fileSystem(*m_drives)
{
}

AppContext::~AppContext() = default;

Platform::Answer AppContext::message(const QString& title, const QString& text,
                                     Platform::Buttons buttons, Platform::Icon icon)
{
    return m_platform->message(title, text, buttons, icon);
}

void AppContext::ShowDriveNotReady(const QString& drive)
{
    message(text(u"Drive Error"_s, u"Disk fel"_s),
            text(u"Drive "_s + drive + u" not ready."_s,
                 u"Disk "_s + drive + u" är inte tillgänglig."_s),
            Platform::Buttons::Ok, Platform::Icon::Critical);
}

void AppContext::ShowPathNotFound(const QString& path)
{
    message(u"Error"_s, path + text(u"  doesn't exist."_s, u"  existerar inte."_s),
            Platform::Buttons::Ok, Platform::Icon::None);
}
