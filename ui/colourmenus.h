#ifndef COLOURMENUS_H
#define COLOURMENUS_H

class ColourExchange;
class QAction;
class QMainWindow;
class QMenu;
class QString;

// The menu bar's own menus, around those the colour keeper and the settings add.
namespace ColourMenus {

// First in the menu bar: Copy As and Paste, the very items of the swatch's context menu, then
// picking from the screen and the toolkit's chooser.
QMenu *addColourMenu(QMainWindow *window, ColourExchange *exchange, QAction *pick, QAction *choose);
// Once every other menu is in: Quit at the Colour menu's end, the Help menu last, and a
// mnemonic for every item of the menu bar that has none.
void finishMenuBar(QMainWindow *window);

// The text with a mnemonic on its first letter or digit not yet in `used`, which it joins. A
// text that has a mnemonic keeps it.
QString withMnemonic(const QString &text, QString &used);
// For every item of the menu and of its submenus that has none, keeping the letters taken.
void addMnemonics(QMenu *menu);

} // namespace ColourMenus

#endif // COLOURMENUS_H
