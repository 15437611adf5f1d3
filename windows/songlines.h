#pragma once

#include <QString>

namespace windows {

// The 92 placeholder song lines "[0] - Song #1" to "[5B] - Song #92", each
// followed by CR LF.
QString placeholderSongLines();

} // namespace windows
