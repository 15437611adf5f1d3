#include "windows/songlines.h"

using namespace Qt::StringLiterals;

namespace windows {
namespace {

constexpr int SONG_LINE_COUNT = 92;

} // namespace

QString placeholderSongLines()
{
    // The shape of the catalogues' placeholder titles, but the hexadecimal
    // number is not widened: "[9] - Song #10", "[10] - Song #17".
    QString lines;
    for (int song = 0; song < SONG_LINE_COUNT; ++song)
        lines += u"[%1] - Song #%2\r\n"_s.arg(QString::number(song, 16).toUpper()).arg(song + 1);
    return lines;
}

} // namespace windows
