#include "games/gameprofile.h"

namespace games {

const GameProfile *profileFor(std::string_view token)
{
    for (const GameProfile &game : GAME_PROFILES) {
        if (game.token == token)
            return &game;
    }
    return nullptr;
}

const GameProfile *profileForOption(std::string_view optionName)
{
    for (const GameProfile &game : GAME_PROFILES) {
        if (game.optionName == optionName)
            return &game;
    }
    return nullptr;
}

} // namespace games
