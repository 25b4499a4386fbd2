#pragma once

#include <array>
#include <string_view>

namespace tessaly::picgen {

struct GenericWord {
    std::string_view word;
    std::string_view reason;
};

// Keywords that Unicode gives to whole families of unlike pictures. Two tiles sharing one of
// these are not one subject; the play-size measure still judges how they look. Everything not
// listed here that two tiles share makes them one subject. Only words that name a whole theme
// belong here: each word added lets more pairs through unseen by the data.
inline constexpr std::array kGenericKeywords{
    GenericWord{"animal", "every creature of the animal sets"},
    GenericWord{"pet", "dogs, cats, hamsters and fish alike"},
    GenericWord{"bird", "a set of birds: parrot, penguin and owl differ at a glance"},
    GenericWord{"insect", "ant, bee and ladybird differ at a glance"},
    GenericWord{"face", "the way animals and moons are drawn, not what they are"},
    GenericWord{"zodiac", "star signs name twelve unlike animals"},
    GenericWord{"food", "every dish and snack"},
    GenericWord{"fruit", "apple, grapes and melon differ at a glance"},
    GenericWord{"vegetable", "carrot, corn and broccoli differ at a glance"},
    GenericWord{"breakfast", "a meal, not a dish: eggs, pancakes and bacon"},
    GenericWord{"dessert", "cake, ice cream and pudding differ at a glance"},
    GenericWord{"sweet", "a taste shared by unlike sweets"},
    GenericWord{"drink", "cup, bottle and juice box differ at a glance"},
    GenericWord{"beverage", "as drink"},
    GenericWord{"flower", "a set of flowers: rose, tulip and sunflower differ at a glance"},
    GenericWord{"plant", "as flower"},
    GenericWord{"clothing", "every garment: hat, sock and dress differ at a glance"},
    GenericWord{"music", "every instrument and note"},
    GenericWord{"instrument", "as music"},
    GenericWord{"tool", "hammer, saw and screwdriver differ at a glance"},
    GenericWord{"celebration", "every party item"},
    GenericWord{"party", "as celebration"},
    GenericWord{"vehicle", "bicycle, tractor and rocket differ at a glance"},
    GenericWord{"building", "a set of buildings and places"},
    GenericWord{"science", "microscope, magnet and DNA differ at a glance"},
    GenericWord{"space", "rocket, satellite and planet differ at a glance"},
    GenericWord{"weather", "every kind of weather"},
    GenericWord{"cooking", "pans, pots and whisks differ at a glance"},
    GenericWord{"art", "brush, palette and frame differ at a glance"},
    GenericWord{"ball", "balls of different sports; the measure judges their look"},
    GenericWord{"game", "every toy and sport"},
    GenericWord{"sport", "every sport"},
    GenericWord{"toy", "every toy"},
    // Where or when a thing is used, not what it is.
    GenericWord{"cold", "snowflake, ice and a scarf are unlike things of the cold"},
    GenericWord{"snow", "snowman, skis and a snowy peak are unlike things of the snow"},
    GenericWord{"traffic", "a traffic light and a no-entry sign differ at a glance"},
    GenericWord{"light", "a bulb, a torch and a traffic light differ at a glance"},
    GenericWord{"camping", "a tent and a boot differ at a glance"},
    GenericWord{"hotel", "a hotel and a bellhop's bell differ at a glance"},
    GenericWord{"amusement park", "a Ferris wheel and a roller coaster differ at a glance"},
    GenericWord{"racing", "a racing car and a motorcycle differ at a glance"},
    GenericWord{"engine", "a locomotive and a fire engine differ at a glance"},
    GenericWord{"money", "a coin, a card and a purse differ at a glance"},
    GenericWord{"woman", "who wears it: a sandal, a boot and a hat differ at a glance"},
    GenericWord{"man", "as woman"},
    // Where a dish comes from, not what it is.
    GenericWord{"french", "fries and a croissant differ at a glance"},
    GenericWord{"mexican", "a taco and a burrito differ at a glance"},
    GenericWord{"japanese", "sushi and a bento box differ at a glance"},
    GenericWord{"italian", "pizza and spaghetti differ at a glance"},
};

// Words that name how an emoji is drawn rather than what it shows ("dog face", "tiger face");
// the head noun is the word before them.
inline constexpr std::array<std::string_view, 2> kDrawingWords{"face", "button"};

}  // namespace tessaly::picgen
