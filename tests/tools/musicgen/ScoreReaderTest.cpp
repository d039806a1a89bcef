#include <gtest/gtest.h>

#include <stdexcept>

#include "ScoreReader.h"

namespace {

const std::string Head =
    "tempo 100\n"
    "voice lead flute\n"
    "voice keys piano chord 3 near C4\n"
    "voice bass fingerbass low E1\n"
    "voice drums kit\n";

std::string ErrorOf(const std::string& text) {
    try {
        ParseScore(text, "song.music");
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return "";
}

}  // namespace

TEST(ScoreReaderTest, LaysNotesDegreesChordsAndDrumsOnTheirRows) {
    const Score score = ParseScore(Head +
                                       "section A 1\n"
                                       "chords: C . G/B .\n"
                                       "# a comment line\n"
                                       "lead: E5q. rs D5s C5h  # a comment\n"
                                       "keys: x...\n"
                                       "bass: 1h 1q 5,q\n"
                                       "drums: k.h.\n"
                                       "order A A\n",
                                   "song.music");
    ASSERT_EQ(score.sections.size(), 1u);
    const auto& ch = score.sections[0].channels;
    EXPECT_EQ(ch[0][0].key, 76);
    EXPECT_EQ(ch[0][6].key, ScoreNote::Off);
    EXPECT_EQ(ch[0][7].key, 74);
    EXPECT_EQ(ch[0][8].key, 72);
    // C major around middle C, then G/B moved to by the nearest notes.
    EXPECT_EQ((std::vector<int>{ch[1][0].key, ch[2][0].key, ch[3][0].key}), (std::vector<int>{55, 60, 64}));
    EXPECT_EQ((std::vector<int>{ch[1][8].key, ch[2][8].key, ch[3][8].key}), (std::vector<int>{55, 59, 62}));
    EXPECT_EQ(ch[4][0].key, 36);   // C above E1
    EXPECT_EQ(ch[4][8].key, 35);   // the slash bass B
    EXPECT_EQ(ch[4][12].key, 26);  // D, the fifth of G, an octave down
    EXPECT_EQ(ch[5][2].sound, "drum:h");
    EXPECT_EQ(score.order, (std::vector<int>{0, 0}));
}

TEST(ScoreReaderTest, AFaultNamesTheFileAndTheLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"voice x tuba\n", "song.music:1: unknown instrument \"tuba\""},
        {Head + "section A 1\nlead: C5q D5q E5q\norder A\n", "song.music:7: lead: the notes fill 12 rows"},
        {Head + "section A 1\nlead: C5q D5q E5h. | \norder A\n", "song.music:7: lead: the notes run past"},
        {Head + "section A 1\nlead: C5q D5e | E5h.\norder A\n", "song.music:7: lead: bar 1 ends 6 rows"},
        {Head + "section A 1\nchords: C . Hm7 .\norder A\n", "song.music:7: \"Hm7\" is not a chord"},
        {Head + "section A 1\ndrums: k.z.\norder A\n", "song.music:7: drums: \"z\" is no drum"},
        {Head + "section A 1\nkeys: x...\norder A\n", "song.music:7: keys: a chord is struck where"},
        {Head + "section A 1\ntuba: C4w\norder A\n", "song.music:7: \"tuba\" is neither"},
        {Head + "section A 1\nchords:\norder A\n", "song.music:7: \"chords:\" is empty"},
        {Head + "section A 1\nlead: C4w\norder B\n", "song.music:8: the order names no section \"B\""},
        {Head + "section A 13\n", "song.music:6: bars must be a whole number from 1 to 12"},
    };
    for (const auto& [text, message] : cases) {
        EXPECT_EQ(ErrorOf(text).rfind(message, 0), 0u) << ErrorOf(text);
    }
}
