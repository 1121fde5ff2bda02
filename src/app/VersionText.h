#pragma once

#include <QString>

// The program's version as the window title and the About window show it: major, ".", minor
// and revision run together, with one trailing "0" dropped (1.7.0 gives "1.7", 1.7.3 "1.73").
QString versionText(int major, int minor, int revision);
