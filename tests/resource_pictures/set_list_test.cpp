// The set lists: what the generator accepts, what it refuses and how it says why.
#include <gtest/gtest.h>

#include <string_view>

#include "emoji_art.h"
#include "emoji_names.h"
#include "picture_set.h"
#include "same_subject.h"
#include "subject_rules.h"
#include "unfit_content.h"

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
    const PictureSetList list = LoadPictureSets(QStringLiteral(PICGEN_SETS));
    ASSERT_EQ(list.error, QString());
    ASSERT_EQ(list.sets.size(), std::size_t(PictureSetCount));
    const EmojiArt emoji;
    for (const PictureSet& set : list.sets) {
        EXPECT_FALSE(set.title.isEmpty());
        for (const TileArt& tile : set.tiles) {
            if (tile.kind == ArtKind::Emoji) {
                EXPECT_EQ(emoji.Check(tile.text), QString()) << qPrintable(tile.name);
            }
        }
    }
}

TEST(SetList, ReadsCodePointsBeyondTheBasicPlaneAndWindowsLineEnds) {
    QString text = QChar(0xFEFF) + completeList().replace(u'\n', QStringLiteral("\r\n"));
    text.replace(QStringLiteral("gem star 040302 | star 1\r"),
                 QStringLiteral("emoji 1F9D1 200D 1F3A8 | artist\r"));
    const PictureSetList list = ParsePictureSets(text);
    ASSERT_EQ(list.error, QString());
    const TileArt& tile = list.sets[0].tiles[0];
    EXPECT_EQ(tile.kind, ArtKind::Emoji);
    EXPECT_EQ(tile.name, QStringLiteral("artist"));
    EXPECT_EQ(tile.text.toUcs4(), (QList<uint>{0x1F9D1, 0x200D, 0x1F3A8}));
    EXPECT_EQ(list.sets[0].tiles[1].shape, GemShape::Star);
    EXPECT_EQ(list.sets[0].tiles[1].pattern, GemPattern::Plain);
    EXPECT_EQ(list.sets[0].tiles[1].colour, QColor(0x08, 0x06, 0x04));
}

TEST(SetList, AGemMayCarryAPatternAndDiffersByIt) {
    QString text = completeList();
    text.replace(QStringLiteral("gem star 080604 | star 2"),
                 QStringLiteral("gem star stripes 040302 | striped star"));
    const PictureSetList list = ParsePictureSets(text);
    ASSERT_EQ(list.error, QString());
    EXPECT_EQ(list.sets[0].tiles[1].shape, GemShape::Star);
    EXPECT_EQ(list.sets[0].tiles[1].pattern, GemPattern::Stripes);
    EXPECT_EQ(list.sets[0].tiles[1].colour, list.sets[0].tiles[0].colour);
}

// Every picture on the list of unfit content is refused wherever it is planted, and so is a flag.
TEST(SetList, UnfitPicturesAndFlagsAreRefusedSayingWhy) {
    struct Planted {
        QString text;
        QString reason;
    };
    std::vector<Planted> planted;
    for (const UnfitGroup& group : kUnfitContent) {
        for (const char32_t point : group.points) {
            planted.push_back({QString::fromUcs4(&point, 1),
                               QString::fromLatin1(group.reason.data(), group.reason.size())});
        }
    }
    planted.push_back({QString::fromUcs4(U"\U0001F1EB\U0001F1F7"), QStringLiteral("a flag")});
    planted.push_back({QString::fromUcs4(U"\U0001F3F4\U000E0067\U000E0062\U000E0073\U000E0063"
                                         U"\U000E0074\U000E007F"),
                       QStringLiteral("a flag")});
    // Planted as tile 7 of every set; set 1 is the first to be refused.
    for (const Planted& plant : planted) {
        QString codes;
        for (const uint point : plant.text.toUcs4()) codes += QString::number(point, 16) + u' ';
        const QString text = completeList().replace(
            QStringLiteral("gem star %1 | star 7\n").arg(7 * 0x040302, 6, 16, QLatin1Char('0')),
            QStringLiteral("emoji %1| planted\n").arg(codes));
        const PictureSetList list = ParsePictureSets(text);
        EXPECT_TRUE(
            list.error.contains(QStringLiteral("\"planted\" in set 1 is unfit: ") + plant.reason))
            << qPrintable(plant.text) << ": " << qPrintable(list.error);
    }
}

struct SubjectCase {
    const char32_t* first;
    const char32_t* second;
    int rule;  // a SubjectRule, or -1 when Unicode's naming tells the two apart
};

constexpr int kApart = -1;
constexpr int kWithin = int(SubjectRule::NameWithin);
constexpr int kHead = int(SubjectRule::HeadNoun);
constexpr int kKeyword = int(SubjectRule::SharedKeyword);

const SubjectCase kSubjectCases[] = {
    {U"\U0001F697", U"\U0001F698", kWithin},    // automobile, oncoming automobile
    {U"\U0001F695", U"\U0001F696", kWithin},    // taxi, oncoming taxi
    {U"\u2600\uFE0F", U"\U0001F31E", kWithin},  // sun, sun with face; the selector ignored
    {U"\U0001F4C1", U"\U0001F4C2", kWithin},    // file folder, open file folder
    {U"\U0001F4CC", U"\U0001F4CD", kWithin},    // pushpin, round pushpin
    {U"\u2708", U"\U0001F6E9", kWithin},        // airplane, small airplane
    {U"\U0001F30D", U"\U0001F30E", kHead},      // globes showing two sides of the world
    {U"\U0001F508", U"\U0001F50A", kHead},      // speakers at low and high volume
    {U"\U0001F45E", U"\U0001F460", kHead},      // man's shoe, high-heeled shoe
    {U"\U0001F3BE", U"\U0001F3F8", kApart},     // tennis, badminton: the table holds them
    {U"\U0001F420", U"\U0001F421", kKeyword},   // tropical fish, blowfish: "fish"
    {U"\U0001F6F6", U"\u26F4", kApart},         // canoe, ferry: a "boat" neither is called
    {U"\U0001F50D", U"\U0001F50E", kHead},      // magnifying glasses tilted either way
    {U"\U0001F9AC", U"\U0001F403", kKeyword},   // bison, water buffalo: "buffalo"
    {U"\U0001F3A5", U"\U0001F4F9", kHead},      // movie camera, video camera
    {U"\U0001F436", U"\U0001F431", kApart},     // dog face, cat face: "face" names the drawing
    {U"\u26BE", U"\U0001F3C0", kApart},         // baseball, basketball: "ball" is generic
    {U"\U0001F3A1", U"\U0001F3A2", kApart},     // Ferris wheel, roller coaster
    {U"\U0001F955", U"\U0001F33D", kApart},     // carrot, ear of corn: "vegetable" is generic
    {U"\U0001F35F", U"\U0001F950", kApart},     // French fries, croissant: where, not what
};

TEST(SetList, UnicodesNamesAndKeywordsTellOneSubjectDrawnTwice) {
    const EmojiNames names;
    ASSERT_EQ(names.Error(), QString());
    for (const SubjectCase& c : kSubjectCases) {
        const EmojiNaming* a = names.Find(QString::fromUcs4(c.first));
        const EmojiNaming* b = names.Find(QString::fromUcs4(c.second));
        ASSERT_TRUE(a && b) << qPrintable(QString::fromUcs4(c.first));
        SubjectClash clash;
        const bool clashes = FindSubjectClash(*a, *b, clash);
        const QString pair = a->name + QStringLiteral(" / ") + b->name;
        EXPECT_EQ(clashes ? int(clash.rule) : kApart, c.rule)
            << qPrintable(pair) << ": " << qPrintable(clash.why);
    }
    EXPECT_EQ(HeadNoun(QStringLiteral("globe showing Americas")), QStringLiteral("globe"));
    EXPECT_EQ(HeadNoun(QStringLiteral("dog face")), QStringLiteral("dog"));
    EXPECT_EQ(HeadNoun(QStringLiteral("open file folder")), QStringLiteral("folder"));
    // A missing data file is reported, never taken for an empty list.
    EXPECT_TRUE(
        EmojiNames(QStringLiteral("/nonexistent/en.xml")).Error().contains("unicode-cldr-core"));
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
        const PictureSetList list = ParsePictureSets(broken.edit(completeList()));
        EXPECT_TRUE(list.error.contains(QString::fromUtf8(broken.expected)))
            << broken.what << ": " << qPrintable(list.error);
        EXPECT_TRUE(list.sets.empty()) << broken.what;
    }
}

TEST(SetList, AnEmojiTheFontCannotDrawAsOnePictureIsRefused) {
    const EmojiArt emoji;
    ASSERT_EQ(emoji.FontError(), QString());
    EXPECT_EQ(emoji.Check(QString::fromUcs4(U"\U0001F1EB\U0001F1F7")), QString());  // France
    // Regional letters that name no country give a flag with a question mark.
    EXPECT_TRUE(
        emoji.Check(QString::fromUcs4(U"\U0001F1FA\U0001F1FF\U0001F1FF")).contains("combine"));
    EXPECT_TRUE(emoji.Check(QString::fromUcs4(U"\U0001F1FF\U0001F1FF")).contains("no such flag"));
    // A joined sequence the font does not know falls apart into its pieces.
    EXPECT_TRUE(emoji.Check(QString::fromUcs4(U"\U0001F436\u200D\U0001F680")).contains("combine"));
    EXPECT_TRUE(emoji.Check(QString::fromUcs4(U"\U000F0000")).contains("U+f0000"));
    EXPECT_TRUE(emoji.Check(QStringLiteral("A")).contains("U+0041"));
}

}  // namespace
}  // namespace tessaly::picgen
