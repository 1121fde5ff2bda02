#pragma once

#include <QAction>

#include <utility>

// Connects a ticked menu item to its handler. Qt ticks or unticks the item before telling; the
// handlers decide from the tick as it was and set it themselves.
template <typename Handler> void connectOption(QAction& item, QObject* context, Handler handler)
{
    QObject::connect(&item, &QAction::triggered, context,
                     [&item, handler = std::move(handler)](bool checked) {
                         item.setChecked(!checked);
                         handler();
                     });
}
