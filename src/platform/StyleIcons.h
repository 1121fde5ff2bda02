#pragma once

#include <QIcon>
#include <QStyle>

// The style's standard icon, made once per program run and shared by every list that shows it.
// Making one reads the style's pictures at each size it has, which lists that fill many times
// should not pay again.
const QIcon& styleIcon(QStyle::StandardPixmap which);
