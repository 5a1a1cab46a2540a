#pragma once

#include <QIcon>
#include <QPixmap>

// The program's pictures, drawn at run time: tool bar buttons, the window
// bar's pictures, the tray icons and the logo.
namespace AppIcons {

// The application's own icon (also the normal tray icon).
QIcon Application();
// The tray icon's blink picture.
QIcon TrayBlink();
// Pictures of the window bar: 0 and 1 the pair that alternates for windows
// with activity, 2 help, 3 script, 4 search.
QIcon WindowImage(int index);
// The picture of a command of the tool bars (a null icon for none).
QIcon Command(int id);
// The logo of the client area, 150 by 70 pixels.
QPixmap Logo();

} // namespace AppIcons
