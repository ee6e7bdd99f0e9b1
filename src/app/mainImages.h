#pragma once

#include <QIcon>

namespace skivra {

// The main window's 16 x 16 pictures, addressed by the index the actions carry: 0 open
// file, 1 open folder, 2 open this folder, 5 exit, 6 version information, 7 to 11 the list
// commands, 14 to 22 the transport, 24 sound on and 25 muted (always the image after the
// mute image), 28 random, 30 notification area, 31 status bar, 32 info panel, 58 sort,
// 60 shuffle, 61 to 64 the sort keys. An index without a picture gives an empty icon.
QIcon MainImage(int iIndex);

// The program's own icon (window, notification area, version box).
QIcon ProgramIcon();

} // namespace skivra
