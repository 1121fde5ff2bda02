#pragma once

#include <QListWidget>

// The selected item of a single-selection list box, -1 when none is: an item that is only
// current (as after the list got the focus by the keyboard) does not count.
inline int listIndex(const QListWidget* list)
{
    const QListWidgetItem* item = list->currentItem();
    return item && item->isSelected() ? list->currentRow() : -1;
}
