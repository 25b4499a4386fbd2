// The set lists: what the generator accepts, what it refuses and how it says why.
#include <gtest/gtest.h>

#include <string_view>

#include "emoji_art.h"
#include "picture_set.h"
#include "same_subject.h"

namespace tessaly::picgen {
namespace {

// A complete list of gems: set s, tile k gets a colour no other tile of the set has.
QString completeList() {
    QString text;
    for (int set = 1; set <= PictureSetCount; ++set) {
        text += QStringLiteral("set 112233 | Set %1\n").arg(set);
        for (int kind = 1; kind <= TilesPerSet; ++kind) {
            text += QStringLiteral("gem star %1 | star %2\n")
                        .arg(kind * 0x040302, 6, 16, QLatin1Char('0'))
                        .arg(kind);
        }
    }
    return text;
}

TEST(SetList, TheShippedListIsCompleteAndTheFontDrawsEveryEmoji) {
    const PictureSetList list = loadPictureSets(QStringLiteral(PICGEN_SETS));
    ASSERT_EQ(list.error, QString());
    ASSERT_EQ(list.sets.size(), std::size_t(PictureSetCount));
    const EmojiArt emoji;
    for (const PictureSet& set : list.sets) {
        EXPECT_FALSE(set.title.isEmpty());
        for (const TileArt& tile : set.tiles) {
            if (tile.kind == ArtKind::Emoji) {
                EXPECT_EQ(emoji.check(tile.text), QString()) << qPrintable(tile.name);
            }
        }
    }
}

TEST(SetList, ReadsCodePointsBeyondTheBasicPlaneAndWindowsLineEnds) {
    QString text = QChar(0xFEFF) + completeList().replace(u'\n', QStringLiteral("\r\n"));
    text.replace(QStringLiteral("gem star 040302 | star 1\r"),
                 QStringLiteral("emoji 1F3F4 E0067 E0062 E0073 E0063 E0074 E007F | Scotland\r"));
    const PictureSetList list = parsePictureSets(text);
    ASSERT_EQ(list.error, QString());
    const TileArt& tile = list.sets[0].tiles[0];
    EXPECT_EQ(tile.kind, ArtKind::Emoji);
    EXPECT_EQ(tile.name, QStringLiteral("Scotland"));
    EXPECT_EQ(tile.text.toUcs4(),
              (QList<uint>{0x1F3F4, 0xE0067, 0xE0062, 0xE0073, 0xE0063, 0xE0074, 0xE007F}));
    EXPECT_EQ(list.sets[0].tiles[1].shape, GemShape::Star);
    EXPECT_EQ(list.sets[0].tiles[1].pattern, GemPattern::Plain);
    EXPECT_EQ(list.sets[0].tiles[1].colour, QColor(0x08, 0x06, 0x04));
}

TEST(SetList, AGemMayCarryAPatternAndDiffersByIt) {
    QString text = completeList();
    text.replace(QStringLiteral("gem star 080604 | star 2"),
                 QStringLiteral("gem star stripes 040302 | striped star"));
    const PictureSetList list = parsePictureSets(text);
    ASSERT_EQ(list.error, QString());
    EXPECT_EQ(list.sets[0].tiles[1].shape, GemShape::Star);
    EXPECT_EQ(list.sets[0].tiles[1].pattern, GemPattern::Stripes);
    EXPECT_EQ(list.sets[0].tiles[1].colour, list.sets[0].tiles[0].colour);
}

// What has no place in a game for every age: places and signs of worship, death, drink,
// tobacco, weapons, gambling and adult themes. Flags are refused as a kind (see below).
constexpr std::u32string_view kUnfit =
    U"🕋🕌🕍⛪🛕⛩🛐💒✝✡"
    U"☪☯☸🕉🕎📿🧿🪬🪯"
    U"🪦⚰⚱💀☠"
    U"🍶🍷🍸🍹🍺🍻🍾🥂🥃"
    U"🚬🔫🗡⚔🏹💣🪓🪖🎖"
    U"🎰🎴🏩💋👙🩲";

TEST(SetList, TheShippedListHoldsNothingUnfitForAGameForAllAges) {
    const PictureSetList list = loadPictureSets(QStringLiteral(PICGEN_SETS));
    ASSERT_EQ(list.error, QString());
    for (const PictureSet& set : list.sets) {
        for (const TileArt& tile : set.tiles) {
            if (tile.kind != ArtKind::Emoji) continue;
            const QList<uint> points = tile.text.toUcs4();
            for (const uint point : points) {
                EXPECT_EQ(kUnfit.find(char32_t(point)), kUnfit.npos)
                    << qPrintable(set.title) << ": " << qPrintable(tile.name);
            }
            // Which flags a game shows, and which it leaves out, is a political choice.
            EXPECT_FALSE(isFlag(tile.text))
                << qPrintable(set.title) << ": " << qPrintable(tile.name);
        }
    }
}

struct BrokenList {
    const char* what;
    QString (*edit)(QString);
    const char* expected;
};

const BrokenList kBrokenLists[] = {
    {"a bad code point", [](QString t) { return t.replace("gem star 040302", "emoji 1F43G"); },
     "line 2: bad code point \"1F43G\""},
    {"a surrogate", [](QString t) { return t.replace("gem star 040302", "emoji D83D"); },
     "bad code point"},
    {"beyond Unicode", [](QString t) { return t.replace("gem star 040302", "emoji 110000"); },
     "bad code point"},
    {"an unknown shape", [](QString t) { return t.replace("gem star 040302", "gem blob 040302"); },
     "line 2: a gem needs a shape, a pattern or none, and RRGGBB"},
    {"an unknown pattern",
     [](QString t) { return t.replace("gem star 040302", "gem star plaid 040302"); },
     "line 2: a gem needs a shape"},
    {"a gem without colour",
     [](QString t) { return t.replace("gem star 040302", "gem star dots"); },
     "line 2: a gem needs a shape"},
    {"an unknown keyword", [](QString t) { return t.replace("gem star 040302", "png x"); },
     "line 2: unknown keyword \"png\""},
    {"a set without accent", [](QString t) { return t.replace("set 112233 | Set 1", "set | S"); },
     "line 1: a set needs an RRGGBB accent"},
    {"a set without title", [](QString t) { return t.replace("112233 | Set 1\n", "112233\n"); },
     "line 1: a set needs a title"},
    {"a tile before any set", [](QString t) { return "gem star 010101\n" + t; },
     "line 1: tile listed before any set"},
    {"a tile twice", [](QString t) { return t.replace("gem star 080604", "gem star 040302"); },
     "appears twice in set 1"},
    {"a short set", [](QString t) { return t.replace("gem star 080604 | star 2\n", ""); },
     "set 1 \"Set 1\" has 44 tiles, not 45"},
    {"a missing set", [](QString t) { return t.left(t.indexOf("set 112233 | Set 25")); },
     "24 sets listed, 25 needed"},
    {"nothing at all", [](QString) { return QString(); }, "0 sets listed"},
};

TEST(SetList, RefusesBrokenListsSayingWhereAndWhy) {
    for (const BrokenList& broken : kBrokenLists) {
        const PictureSetList list = parsePictureSets(broken.edit(completeList()));
        EXPECT_TRUE(list.error.contains(QString::fromUtf8(broken.expected)))
            << broken.what << ": " << qPrintable(list.error);
        EXPECT_TRUE(list.sets.empty()) << broken.what;
    }
}

TEST(SetList, AnEmojiTheFontCannotDrawAsOnePictureIsRefused) {
    const EmojiArt emoji;
    ASSERT_EQ(emoji.fontError(), QString());
    EXPECT_EQ(emoji.check(QString::fromUcs4(U"\U0001F1EB\U0001F1F7")), QString());  // France
    // Regional letters that name no country give a flag with a question mark.
    EXPECT_TRUE(
        emoji.check(QString::fromUcs4(U"\U0001F1FA\U0001F1FF\U0001F1FF")).contains("combine"));
    EXPECT_TRUE(emoji.check(QString::fromUcs4(U"\U0001F1FF\U0001F1FF")).contains("no such flag"));
    // A joined sequence the font does not know falls apart into its pieces.
    EXPECT_TRUE(emoji.check(QString::fromUcs4(U"\U0001F436\u200D\U0001F680")).contains("combine"));
    EXPECT_TRUE(emoji.check(QString::fromUcs4(U"\U000F0000")).contains("U+f0000"));
    EXPECT_TRUE(emoji.check(QStringLiteral("A")).contains("U+0041"));
}

}  // namespace
}  // namespace tessaly::picgen
