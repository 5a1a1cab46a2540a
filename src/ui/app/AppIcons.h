#pragma once

#include <QIcon>
#include <QPixmap>

// The program's pictures: those of the commands (tool bar buttons and menu
// items) and of the window bar from the bundled Breeze icon theme
// (resources/icons/breeze, LGPL-3), drawn from SVG at the size asked for;
// the program's own sign, the tray icons and the logo.
namespace AppIcons {

// The application's own icon (also the normal tray icon).
QIcon Application();
// The tray icon's blink picture.
QIcon TrayBlink();
// Pictures of the window bar: 0 and 1 the pair that alternates for windows
// with activity, 2 help, 3 script, 4 search.
QIcon WindowImage(int index);
// The picture of a command, the same on its tool bar button and beside its
// menu items (a null icon for none). The five user messages of a channel
// show a speech bubble with their number.
QIcon Command(int id);
// The logo of the client area, 150 by 70 pixels.
QPixmap Logo();

} // namespace AppIcons
