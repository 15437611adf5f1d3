#pragma once

#include <span>
#include <string_view>

#include <QString>

namespace catalogues {

// The texts one game shows: its song titles and its instrument names.
// A title's position is the song number whose record the image holds; a name's
// position is the instrument number stored in a slot byte. Nothing translates
// between the two, so order, repeats, placeholders and every character matter.
struct Catalogue {
    std::span<const std::string_view> songs;
    // Stored instrument names; empty when the names are generated.
    std::span<const std::string_view> samples;
    // The generated lists hold "Sample #1" to "Sample #N"; 0 for stored names.
    int generatedSamples = 0;

    int sampleCount() const
    {
        return generatedSamples > 0 ? generatedSamples : static_cast<int>(samples.size());
    }
};

// One catalogue per supported game, each defined in its own unit.
extern const Catalogue FF4;
extern const Catalogue FF5;
extern const Catalogue FF6;
extern const Catalogue MQ;
extern const Catalogue SD2;
extern const Catalogue RS2;
extern const Catalogue RS3;
extern const Catalogue CT;
extern const Catalogue BSDT;
extern const Catalogue BSRD;
extern const Catalogue BSTC;

// The catalogue of a game token ("FF5", "CT", ...); nullptr for any other text.
const Catalogue *catalogueFor(std::string_view token);

// The one place where catalogue text (UTF-8 source) becomes display text.
inline QString displayText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace catalogues
