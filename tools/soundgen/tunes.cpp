#include "tunes.h"

namespace tessaly {

namespace {

// General MIDI programs we use, named so the table reads as a score's list of instruments.
enum Program {
    kPiano = 0,
    kHarpsichord = 6,
    kCelesta = 8,
    kMusicBox = 10,
    kVibraphone = 11,
    kMarimba = 12,
    kReedOrgan = 20,
    kAccordion = 21,
    kNylonGuitar = 24,
    kAcousticBass = 32,
    kViolin = 40,
    kCello = 42,
    kContrabass = 43,
    kHarp = 46,
    kStrings = 48,
    kSlowStrings = 49,
    kChoir = 52,
    kFrenchHorn = 60,
    kOboe = 68,
    kEnglishHorn = 69,
    kBassoon = 70,
    kClarinet = 71,
    kRecorder = 74,
    kFlute = 73,
    kPanFlute = 75,
    kShakuhachi = 77,
    kKoto = 107,
};

using enum Accompaniment;

// Melodies as remembered and notated by us; see CREDITS.md for where each comes from.
constexpr Tune kTunes[] = {
    {"Ode to Joy",
     4,
     4,
     0,
     108,
     "F#5:4 F#5 G5 A5 | A5 G5 F#5 E5 | D5 D5 E5 F#5 | F#5:6 E5:2 E5:8 |"
     "F#5:4 F#5 G5 A5 | A5 G5 F#5 E5 | D5 D5 E5 F#5 | E5:6 D5:2 D5:8 |"
     "E5:4 E5 F#5 D5 | E5 F#5:2 G5 F#5:4 D5 | E5 F#5:2 G5 F#5:4 E5 | D5 E5 A4:8 |"
     "F#5:4 F#5 G5 A5 | A5 G5 F#5 E5 | D5 D5 E5 F#5 | E5:6 D5:2 D5:8",
     "D:16 | D:12 A:4 | D:16 | D:8 A:8 | D:16 | D:12 A:4 | D:16 | A:8 D:8 |"
     "A:8 D:8 | A:4 D:12 | A:4 D:8 A:4 | G:4 E:4 A:8 |"
     "D:16 | D:12 A:4 | D:16 | A:8 D:8",
     {kFlute, kClarinet, kViolin},
     kStrings,
     kAcousticBass,
     {Alberti, Sustained},
     {0, 0},
     0.0},

    {"Greensleeves",
     3,
     4,
     4,
     126,
     "A4:4 | C5:8 D5:4 | E5:6 F5:2 E5:4 | D5:8 B4:4 | G4:6 A4:2 B4:4 | C5:8 A4:4 |"
     "A4:6 G#4:2 A4:4 | B4:8 G#4:4 | E4:8 A4:4 | C5:8 D5:4 | E5:6 F5:2 E5:4 | D5:8 B4:4 |"
     "G4:6 A4:2 B4:4 | C5:6 B4:2 A4:4 | G#4:6 F#4:2 G#4:4 | A4:12 |"
     "G5:12 | G5:6 F#5:2 E5:4 | D5:8 B4:4 | G4:6 A4:2 B4:4 | C5:8 A4:4 | A4:6 G#4:2 A4:4 |"
     "B4:8 G#4:4 | E4:12 | G5:12 | G5:6 F#5:2 E5:4 | D5:8 B4:4 | G4:6 A4:2 B4:4 |"
     "C5:6 B4:2 A4:4 | G#4:6 F#4:2 G#4:4 | A4:8",
     "Am:4 | Am:12 | C:12 | G:12 | Em:12 | Am:12 | Am:12 | E:12 | E:8 Am:4 | Am:12 | C:12 |"
     "G:12 | Em:12 | Am:12 | E:12 | Am:12 |"
     "C:12 | Em:12 | G:12 | Em:12 | Am:12 | Am:12 | E:12 | E:12 | C:12 | Em:12 | G:12 |"
     "Em:12 | Am:12 | E:12 | Am:8",
     {kRecorder, kOboe, kViolin},
     kNylonGuitar,
     kAcousticBass,
     {Arpeggio, Waltz},
     {0, 0},
     2.0},

    {"Ah! vous dirai-je, maman",
     4,
     4,
     0,
     100,
     "C5:4 C5 G5 G5 | A5 A5 G5:8 | F5:4 F5 E5 E5 | D5 D5 C5:8 |"
     "G5:4 G5 F5 F5 | E5 E5 D5:8 | G5:4 G5 F5 F5 | E5 E5 D5:8 |"
     "C5:4 C5 G5 G5 | A5 A5 G5:8 | F5:4 F5 E5 E5 | D5 D5 C5:8",
     "C:16 | F:8 C:8 | F:8 C:8 | G:8 C:8 | C:8 G7:8 | C:8 G:8 | C:8 G7:8 | C:8 G:8 |"
     "C:16 | F:8 C:8 | F:8 C:8 | G:8 C:8",
     {kMusicBox, kCelesta, kFlute},
     kHarp,
     kAcousticBass,
     {Alberti, Arpeggio},
     {0, 0},
     4.8},

    {"Frère Jacques",
     4,
     4,
     0,
     112,
     "C5:4 D5 E5 C5 | C5 D5 E5 C5 | E5 F5 G5:8 | E5:4 F5 G5:8 |"
     "G5:2 A5 G5 F5 E5:4 C5 | G5:2 A5 G5 F5 E5:4 C5 | C5 G4 C5:8 | C5:4 G4 C5:8",
     "C:16 | C | C | C | C | C | C | C",
     {kClarinet, kOboe, kBassoon},
     kSlowStrings,
     kAcousticBass,
     {Sustained, March},
     {32, 64},
     2.6},

    {"Minuet in G major",
     3,
     4,
     0,
     120,
     "D5:4 G4:2 A4 B4 C5 | D5:4 G4 G4 | E5:4 C5:2 D5 E5 F#5 | G5:4 G4 G4 |"
     "C5:4 D5:2 C5 B4 A4 | B4:4 C5:2 B4 A4 G4 | F#4:4 G4:2 A4 B4 G4 | A4:12 |"
     "D5:4 G4:2 A4 B4 C5 | D5:4 G4 G4 | E5:4 C5:2 D5 E5 F#5 | G5:4 G4 G4 |"
     "C5:4 D5:2 C5 B4 A4 | B4:4 C5:2 B4 A4 G4 | A4:4 B4:2 A4 G4 F#4 | G4:12 |"
     "B5:4 G5:2 A5 B5 G5 | A5:4 D5:2 E5 F#5 D5 | G5:4 E5:2 F#5 G5 D5 | C#5:4 B4:2 C#5 A4:4 |"
     "A4:2 B4 C#5 D5 E5 F#5 | G5:4 F#5 E5 | F#5:4 A4 C#5 | D5:12 |"
     "D5:4 G4:2 F#4 G4:4 | E5:4 G4:2 F#4 G4:4 | D5:4 C5 B4 | A4:2 G4 F#4 G4 A4:4 |"
     "D4:2 E4 F#4 G4 A4 B4 | C5:4 B4 A4 | B4:2 D5 G4:4 F#4 | G4:12",
     "G:12 | G | C | G | C | G | D | D | G | G | C | G | C | G | D | G |"
     "G | D | G | A | D | G:4 D A | D:4 A:8 | D:12 |"
     "G | C | G:4 C G | D:12 | G | C:4 G D | G:8 D:4 | G:12",
     {kHarpsichord, kFlute, kViolin},
     kHarpsichord,
     kCello,
     {Waltz, Arpeggio},
     {0, 0},
     3.4},

    {"Für Elise",
     3,
     8,
     2,
     66,
     "E5:1 D#5 |"
     "E5:1 D#5 E5 B4 D5 C5 | A4:2 R:1 C4 E4 A4 | B4:2 R:1 E4 G#4 B4 | C5:2 R:1 E4 E5 D#5 |"
     "E5 D#5 E5 B4 D5 C5 | A4:2 R:1 C4 E4 A4 | B4:2 R:1 E4 C5 B4 | A4:2 R:2 E5:1 D#5 |"
     "E5:1 D#5 E5 B4 D5 C5 | A4:2 R:1 C4 E4 A4 | B4:2 R:1 E4 G#4 B4 | C5:2 R:1 E4 E5 D#5 |"
     "E5 D#5 E5 B4 D5 C5 | A4:2 R:1 C4 E4 A4 | B4:2 R:1 E4 C5 B4 | A4:2 R:1 B4 C5 D5 |"
     "E5:3 G4:1 F5 E5 | D5:3 F4:1 E5 D5 | C5:3 E4:1 D5 C5 | B4:2 R:2 E5:1 D#5 |"
     "E5:1 D#5 E5 B4 D5 C5 | A4:2 R:1 C4 E4 A4 | B4:2 R:1 E4 G#4 B4 | C5:2 R:1 E4 E5 D#5 |"
     "E5 D#5 E5 B4 D5 C5 | A4:2 R:1 C4 E4 A4 | B4:2 R:1 E4 C5 B4 | A4:4",
     "N:2 | N:6 | Am | E | Am | N | Am | E | Am | N | Am | E | Am | N | Am | E | Am |"
     "C | G | Am | E | N | Am | E | Am | N | Am | E | Am:4",
     {kPiano, kHarp, kVibraphone},
     kPiano,
     kPiano,
     {Arpeggio, Arpeggio},
     {0, 0},
     1.5},

    {"Canon in D",
     4,
     4,
     0,
     60,
     "R:32 |"
     "F#5:4 E5 D5 C#5 | B4 A4 B4 C#5 | D5 C#5 B4 A4 | G4 F#4 G4 E4 |"
     "D4:2 F#4 A4 G4 F#4 D4 F#4 E4 | D4 B3 D4 A4 G4 B4 A4 G4 |"
     "D5:1 C#5 D5 D4 C#4 A3 E4 F#4 D4 D5 C#5 B4 C#5 F#5 A5 B5 |"
     "G5 F#5 E5 G5 F#5 E5 D5 C#5 B4 A4 G4 F#4 E4 G4 F#4 E4 |"
     "F#5:4 E5 D5 C#5 | B4 A4 B4 C#5 | D5 C#5 B4 A4 | G4 F#4 G4 E4",
     "D:4 A Bm F#m G D G A | D A Bm F#m G D G A | D A Bm F#m G D G A |"
     "D A Bm F#m G D G A | D A Bm F#m G D G A | D A Bm F#m G D G A | D A Bm F#m G D G A",
     {kViolin, kFlute, kOboe},
     kStrings,
     kCello,
     {Sustained, Sustained},
     {32, 64},
     -0.6},

    {"Morning Mood",
     6,
     8,
     0,
     90,
     "B5:4 G#5:2 F#5:4 E5:2 | F#5:4 G#5:2 B5:4 G#5:2 | F#5:4 E5:2 F#5:2 G#5 F#5 |"
     "G#5:4 B5:2 G#5:4 B5:2 | C#6:4 G#5:2 C#6:4 B5:2 | G#5:4 F#5:2 E5:6 |"
     "B4:4 G#4:2 F#4:4 E4:2 | F#4:4 G#4:2 B4:4 G#4:2 | F#4:4 E4:2 F#4:2 G#4 F#4 |"
     "G#4:4 B4:2 G#4:4 B4:2 | C#5:4 G#4:2 C#5:4 B4:2 | G#4:4 F#4:2 E4:6",
     "E:12 | E | B | E | C#m | E | E | E | B | E | C#m | E",
     {kFlute, kOboe, kClarinet},
     kStrings,
     kCello,
     {Arpeggio, Sustained},
     {0, 0},
     -0.7},

    {"Wiegenlied",
     3,
     4,
     4,
     80,
     "E5:2 E5 | G5:8 E5:2 E5 | G5:8 E5:2 G5 | C6:4 B5 A5 | A5:4 G5 D5:2 E5 |"
     "F5:8 D5:2 D5 | F5:8 D5:2 F5 | B5:2 A5 G5:4 B5 | C6:8 C5:2 C5 |"
     "C6:8 A5:2 F5 | G5:8 E5:2 C5 | F5:4 G5 A5 | G5:8 C5:2 C5 |"
     "C6:8 A5:2 F5 | G5:8 E5:2 C5 | F5:4 E5 D5 | C5:8",
     "C:4 | C:12 | C | C:4 G7 F | F C G7 | G7:12 | G7 | G7 | C | F | C | Dm:4 C F | C:12 | F |"
     "C | Dm:4 C G7 | C:8",
     {kMusicBox, kFlute, kVibraphone},
     kHarp,
     kCello,
     {Waltz, Arpeggio},
     {0, 0},
     3.1},

    {"Mo Li Hua",
     4,
     4,
     0,
     66,
     "B4:4 B4:2 D5 E5 G5 G5 E5 | D5:4 D5:2 E5 D5:8 | B4:4 B4:2 D5 E5 G5 G5 E5 |"
     "D5:4 D5:2 E5 D5:8 | D5:4 D5 D5 B4:2 D5 | E5:4 E5 D5:8 | B4:4 A4:2 B4 D5:4 B4:2 A4 |"
     "G4:4 G4:2 A4 G4:8 | B4:2 A4 G4 B4 A4:6 B4:2 | D5:4 E5:2 G5 D5:8 |"
     "A4:4 B4:2 D5 A4 B4 G4 E4 | D4:16 | E4:4 G4 A4:2 B4 G4 A4 | G4:2 E4 D4:12",
     "G:8 Em:8 | D:8 G:8 | G:8 Em:8 | D:8 G:8 | G:16 | C:8 G:8 | Em:8 D:8 | G:16 |"
     "G:8 D:8 | G:16 | D:8 Em:8 | D:16 | C:8 Em:8 | Em:4 G:12",
     {kFlute, kViolin, kPanFlute},
     kKoto,
     kAcousticBass,
     {Arpeggio, Arpeggio},
     {0, 0},
     3.4},

    {"Largo",
     4,
     4,
     0,
     54,
     "E5:6 G5:2 G5:8 | E5:6 D5:2 C5:8 | D5:6 E5:2 G5:6 E5:2 | D5:16 |"
     "E5:6 G5:2 G5:8 | E5:6 D5:2 C5:8 | D5:6 E5:2 D5:6 C5:2 | C5:16 |"
     "G5:6 A5:2 C6:8 | A5:6 G5:2 E5:8 | G5:6 A5:2 G5:6 E5:2 | D5:16 |"
     "E5:6 G5:2 G5:8 | E5:6 D5:2 C5:8 | D5:6 E5:2 G5:6 E5:2 | D5:16 |"
     "E5:6 G5:2 G5:8 | E5:6 D5:2 C5:8 | D5:6 E5:2 D5:6 C5:2 | C5:16",
     "C:16 | C:8 F:8 | G:8 C:8 | G:16 | C:16 | C:8 F:8 | G:16 | C:16 |"
     "C:8 Am:8 | F:8 C:8 | C:16 | G:16 |"
     "C:16 | C:8 F:8 | G:8 C:8 | G:16 | C:16 | C:8 F:8 | G:16 | C:16",
     {kEnglishHorn, kFrenchHorn, kClarinet},
     kStrings,
     kContrabass,
     {Sustained, Sustained},
     {0, 0},
     -0.4},

    {"Amazing Grace",
     3,
     4,
     4,
     80,
     "D4:4 | G4:8 B4:2 G4 | B4:8 A4:4 | G4:8 E4:4 | D4:8 D4:4 | G4:8 B4:2 G4 | B4:8 A4:4 |"
     "D5:12 | D5:8 B4:4 | D5:8 B4:2 G4 | B4:8 A4:4 | G4:8 E4:4 | D4:8 D4:4 |"
     "G4:8 B4:2 G4 | B4:8 A4:4 | G4:8",
     "D:4 | G:12 | G:8 D:4 | C:12 | G:12 | G:12 | G:8 D:4 | D:12 | G:12 | G:12 | G:8 D:4 |"
     "C:12 | G:12 | G:12 | G:8 D:4 | G:8",
     {kClarinet, kChoir, kFrenchHorn},
     kReedOrgan,
     kAcousticBass,
     {Waltz, Sustained},
     {0, 0},
     0.6},

    {"Auld Lang Syne",
     4,
     4,
     4,
     88,
     "D4:4 | G4:6 G4:2 G4:4 B4 | A4:6 G4:2 A4:4 B4 | G4:6 G4:2 B4:4 D5 | E5:12 E5:4 |"
     "D5:6 B4:2 B4:4 G4 | A4:6 G4:2 A4:4 B4 | G4:6 E4:2 E4:4 D4 | G4:12 E5:4 |"
     "D5:6 B4:2 B4:4 G4 | A4:6 G4:2 A4:4 E5 | D5:6 B4:2 B4:4 D5 | E5:12 G5:4 |"
     "D5:6 B4:2 B4:4 G4 | A4:6 G4:2 A4:4 B4 | G4:6 E4:2 E4:4 D4 | G4:12",
     "D:4 | G:16 | D:12 G:4 | G:16 | C | G | D:12 G:4 | C:12 D:4 | G:12 C:4 | G:16 |"
     "D:12 C:4 | G:16 | C | G | D:12 G:4 | C:12 D:4 |"
     "G:12",
     {kFlute, kAccordion, kClarinet},
     kNylonGuitar,
     kAcousticBass,
     {March, Arpeggio},
     {0, 0},
     4.4},

    {"Sakura Sakura",
     4,
     4,
     0,
     66,
     "A4:4 A4 B4:8 | A4:4 A4 B4:8 | A4:4 B4 C5 B4 | A4:4 B4:2 A4 F4:8 |"
     "E4:4 C4 E4 F4 | E4:4 E4:2 C4 B3:8 | A4:4 B4 C5 B4 | A4:4 B4:2 A4 F4:8 |"
     "E4:4 C4 E4 F4 | E4:4 E4:2 C4 B3:8 | A4:4 A4 B4:8 | A4:4 A4 B4:8 |"
     "E4:4 F4 B4:2 A4 F4:4 | E4:16",
     "Asus2:16 | Asus2 | Am | Am:8 F:8 | Am:12 F:4 | E5:16 | Am | Am:8 F:8 | Am:12 F:4 |"
     "E5:16 | Asus2 |"
     "Asus2 | Am:4 F E5 F | E5:16",
     {kShakuhachi, kFlute, kPanFlute},
     kKoto,
     kCello,
     {Arpeggio, Sustained},
     {0, 0},
     3.1},

    {"Row, Row, Row Your Boat",
     6,
     8,
     0,
     96,
     "C5:6 C5:6 | C5:4 D5:2 E5:6 | E5:4 D5:2 E5:4 F5:2 | G5:12 |"
     "C6:2 C6 C6 G5 G5 G5 | E5 E5 E5 C5 C5 C5 | G5:4 F5:2 E5:4 D5:2 | C5:12",
     "C:12 | C | C | C | C | C | G7:6 C:6 | C:12",
     {kMarimba, kClarinet, kCelesta},
     kNylonGuitar,
     kAcousticBass,
     {Arpeggio, Waltz},
     {24, 48},
     5.6},
};

}  // namespace

std::span<const Tune> Tunes() {
    return kTunes;
}

}  // namespace tessaly
