#include "games/caption.h"

#include "games/version.h"

using namespace Qt::StringLiterals;

namespace games {

QString shortVersion()
{
    return u"%1.%2"_s.arg(VERSION_MAJOR).arg(VERSION_REVISION);
}

QString plainCaption()
{
    return u"Veltrano (v%1)"_s.arg(shortVersion());
}

QString loadedCaption(const QString &title)
{
    static const QString prefix = u"Veltrano (v%1) - "_s.arg(shortVersion());
    return prefix + title;
}

QString titleText(std::span<const quint8> bytes)
{
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const quint8 byte : bytes) {
        if (byte >= 0x20 && byte <= 0x7E)
            text += QChar(char16_t(byte));
        else if (byte >= 0xA1 && byte <= 0xDF)
            text += QChar(char16_t(0xFF61 + (byte - 0xA1))); // JIS X 0201 katakana, half width
        else
            text += QChar(char16_t(0x00B7)); // a middle dot: every font has one, title bars included
    }
    return text;
}

} // namespace games
