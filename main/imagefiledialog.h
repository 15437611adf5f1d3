#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The five filters of the open dialog, as the user sees them.
QStringList imageFileFilters();
// The filter selected when the dialog opens: "All SNES ROM Files ...".
inline constexpr int DEFAULT_IMAGE_FILTER = 1;

// Asks for an existing image file; an empty path when the user cancels.
QString chooseImageFile(QWidget *parent);
