#pragma once

#include "ScriptedPlatform.h"

#include <QStringList>

// The messages shown so far, each as one text for comparisons: "title|text|buttons|icon".
inline QStringList messageTexts(const ScriptedPlatform& platform)
{
    static const QStringList buttons{QStringLiteral("Ok"), QStringLiteral("OkCancel"),
                                     QStringLiteral("YesNo"), QStringLiteral("YesNoCancel")};
    static const QStringList icons{QStringLiteral("None"), QStringLiteral("Information"),
                                   QStringLiteral("Exclamation"), QStringLiteral("Critical"),
                                   QStringLiteral("Question")};
    QStringList texts;
    for (const ScriptedPlatform::Message& m : platform.messages())
        texts.append(m.title + u'|' + m.text + u'|' + buttons[int(m.buttons)] + u'|' +
                     icons[int(m.icon)]);
    return texts;
}
