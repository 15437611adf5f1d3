#include "catalogues/catalogue.h"

#include <array>
#include <utility>

namespace catalogues {

const Catalogue *catalogueFor(std::string_view token)
{
    static const std::array<std::pair<std::string_view, const Catalogue *>, 11> byToken = {{
        {"FF4", &FF4},
        {"FF5", &FF5},
        {"FF6", &FF6},
        {"MQ", &MQ},
        {"SD2", &SD2},
        {"RS2", &RS2},
        {"RS3", &RS3},
        {"CT", &CT},
        {"BSDT", &BSDT},
        {"BSRD", &BSRD},
        {"BSTC", &BSTC},
    }};
    for (const auto &[name, catalogue] : byToken) {
        if (name == token)
            return catalogue;
    }
    return nullptr;
}

} // namespace catalogues
