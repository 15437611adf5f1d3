#pragma once

#include <functional>
#include <span>
#include <string_view>

#include <QSize>
#include <QtGlobal>

class QFont;
class QIcon;
class QPainter;
class QPixmap;
class QString;
class QWidget;

namespace windows {

// Window layouts are designed in twips: 1/1440 inch, 15 to a pixel at 96 dpi.
constexpr int twips(int value)
{
    return (value + (value >= 0 ? 7 : -7)) / 15;
}

// One control's place inside its container, in twips.
struct Placement {
    std::string_view objectName;
    int left;
    int top;
    int width;
    int height;
};

// Moves each named child of root to its place; names not found are skipped.
void applyPlacements(QWidget *root, std::span<const Placement> placements);

// Gives a window a fixed client area of the given size in twips.
void setFixedClientSize(QWidget *window, int widthTwips, int heightTwips);

// The user-interface font of every window: an installed sans-serif family at the
// size the layouts were designed for (8.25 pt), or pointSize when given.
QFont interfaceFont(qreal pointSize = 8.25, bool bold = false);
// The font of the maker's line: a wide sans-serif at 9.75 pt.
QFont makerFont();

// A transparent picture of the given size, drawn antialiased, without outlines.
QPixmap drawnPixmap(QSize size, const std::function<void(QPainter &)> &draw);

// The program's own icon, drawn rather than loaded from a file.
QIcon programIcon();

// The 16 x 16 information sign beside the main window's info line.
QPixmap informationPixmap();

// Shows a window-modal message box over parent and returns at once.
void showMessage(QWidget *parent, const QString &text);

} // namespace windows
