#pragma once

#include <QIcon>

// The pictures of the picture buttons, drawn for Ordrane as scalable images (the SVGs beside
// them) and kept as PNGs of the sizes the buttons use, twice that for high-density screens:
// they read on light and dark window colours alike, and showing them needs no SVG renderer.
enum class ButtonPicture {
    AddOne,     // a folder with a plus: add one folder to the Source List
    AddSeveral, // two folders with a plus: add several folders
    Remove,     // a folder with a minus: take a folder off the Source List
    Delete,     // a waste bin: delete a folder on the target drive
    Copy,       // an arrow down onto a USB stick: copy the Source List
    UpOneLevel, // a bent arrow up: open the folder above
    Home,       // a house: open the default source folder
};

QIcon buttonPicture(ButtonPicture picture);

// Ordrane's own icon, the same picture the desktop shows for the installed program.
QIcon applicationIcon();
