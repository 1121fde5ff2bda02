#pragma once

#include <QIcon>

// Ordrane's pictures, drawn for it as scalable images (the SVGs beside them) and kept as PNGs of
// the sizes they are shown at, twice that for high-density screens: they read on light and dark
// window colours alike, and showing them needs no SVG renderer. A size is read only when it is
// first drawn.

// The pictures of the picture buttons.
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

// The pictures beside the entries of the drive and folder lists.
enum class ListPicture {
    Folder,         // a folder below the open one
    OpenFolder,     // the open folder and those above it
    Drive,          // a drive that stays in the machine
    RemovableDrive, // a stick or another removable drive
};

// The desktop's icon theme's picture where the desktop has one, else Ordrane's own. Made once per
// program run and shared by every list, which fill anew at every folder opened.
const QIcon& listPicture(ListPicture picture);

// Ordrane's own icon, the same picture the desktop shows for the installed program.
QIcon applicationIcon();
