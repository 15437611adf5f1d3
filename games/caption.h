#pragma once

#include <span>

#include <QString>

namespace games {

// "Veltrano (v0.99)": major version and revision; the minor number is not shown.
QString plainCaption();
// The plain caption with ") - " and the image's title in place of its ")".
QString loadedCaption(const QString &title);
// "0.99": what the caption and the About window show of the version.
QString shortVersion();

// The 21 bytes of a cartridge title as text, one character per byte: printable
// ASCII as itself, 0xA1 to 0xDF as the half-width katakana they code, any other
// byte as a visible stand-in, so the title keeps its length and nothing cuts it.
QString titleText(std::span<const quint8> bytes);

} // namespace games
