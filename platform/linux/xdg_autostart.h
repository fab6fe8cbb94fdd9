#pragma once

#include <QString>

// Start with the desktop session the freedesktop way: a desktop entry in
// $XDG_CONFIG_HOME/autostart (default ~/.config/autostart) whose Exec line starts
// the program file.
namespace XdgAutostart {

// The entry's full path.
QString entryPath();
// The entry's text for a program file.
QString desktopEntry(const QString& programPath);
// An Exec argument quoted and escaped as desktop entries require.
QString execArgument(const QString& programPath);

// Writes the entry atomically, creating the folder; false when the system refuses.
bool write(const QString& programPath);
// Removes the entry; true when none is left (also when there was none).
bool remove();
bool exists();

}  // namespace XdgAutostart
