#pragma once

#include <QIcon>
#include <QPixmap>

namespace dedizo {

// The built-in pictures of the program, drawn rather than shipped. A picture
// file of the same role in the working folder ("Splash.bmp", "Main.bmp",
// "MainWord.png") takes their place.
namespace AppArt {

QIcon appIcon();
QPixmap logo(int size);
// The splash picture, 450 × 250.
QPixmap splash(const QString& title);
// The main window's background and its title word picture.
QPixmap mainBackground(const QSize& size);
QPixmap mainWord(const QString& title);
// A file of the working folder when it exists and loads, else `fallback`.
QPixmap fromWorkingFolder(const QString& fileName, const QPixmap& fallback);

} // namespace AppArt

} // namespace dedizo
