#pragma once

#include <QString>
#include <array>
#include <string_view>

namespace tessaly::picgen {

struct UnfitGroup {
    std::u32string_view points;
    std::string_view reason;
};

// What has no place in a game for every age and every country. A set holding any of these is
// refused. Flags are refused as a kind (same_subject.h).
inline constexpr std::array kUnfitContent{
    UnfitGroup{U"🕋🕌🕍⛪🛕⛩🛐💒✝✡☪☯☸🕉🕎📿🧿🪬🪯",
               "places and signs of worship"},
    UnfitGroup{
        U"🎄🎃🎍🎋🎎🎏🎑🧧🪔🥮🪅🎅🤶🏮🪷🕊🎊🎉🎁🕯🎂",
        "tied to one religion, festival or people"},
    UnfitGroup{U"☘🍁🪆👘🥻💴💵💶💷", "emblems, dress and money of one nation"},
    UnfitGroup{U"🐉🐲", "the dragon, an emblem of more than one nation and people"},
    UnfitGroup{U"🌙🌛🌜🌒🌘", "a lone crescent, which some read as a sign of faith"},
    UnfitGroup{U"⛑🎗", "emblems of a cause: the red cross, an awareness ribbon"},
    UnfitGroup{U"🗳", "elections"},
    UnfitGroup{U"🎆🎇🧨", "fireworks: fire and festivals"},
    UnfitGroup{U"🗿🗽🗼🗻🏯🗾", "landmarks of one nation"},
    UnfitGroup{U"🪦⚰⚱💀☠", "death"},
    UnfitGroup{U"🍶🍷🍸🍹🍺🍻🍾🥂🥃🚬", "drink and tobacco"},
    UnfitGroup{U"🔫🗡⚔🏹💣🪓🪖🎖🔪🪒✂🤺🍽🍴🪚🪃🛡🎯",
               "weapons, blades, and what is thrown or aimed at a target"},
    UnfitGroup{U"🎰🎴🃏🎱🀄♠♣♥♦🎲🔮🏇", "gambling, fortune-telling and what looks like them"},
    UnfitGroup{U"🏩💋👯👙🩱🩲🩳🏊", "adult themes, revealing costume and swimwear"},
    UnfitGroup{U"🥓🌭🍖🥩🐖🐷🐗🐽",
               "pork, pigs, or what reads as pork, which many players do not eat"},
    UnfitGroup{U"🍕", "pizza is drawn with pepperoni, which reads as pork"},
    UnfitGroup{U"🍄", "the mushroom is drawn as the poisonous fly agaric, not as food"},
};

// Why the emoji sequence is unfit; empty when it is fit.
QString UnfitReason(const QString& text);

}  // namespace tessaly::picgen
