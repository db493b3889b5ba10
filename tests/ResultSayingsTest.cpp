// Checks the sayings table of the results dialog: its fixed texts, its shape and its fit.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <climits>
#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "play/ResultSayings.h"

namespace jadeleaf {
namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

bool Mentions(std::string_view saying, std::string_view phrase) {
    return Lower(saying).find(Lower(phrase)) != std::string::npos;
}

int CountInBlock(int block, std::string_view phrase) {
    int count = 0;
    for (int i = 0; i < 10; ++i) count += Mentions(ResultSaying(block + i), phrase) ? 1 : 0;
    return count;
}

// Advance widths of printable ASCII in the metric-compatible sans-serif
// faces the dialog asks for (Arial, Liberation Sans, Arimo, Nimbus Sans), in
// thousandths of the font size. They let the fit be measured without a screen.
constexpr std::array<int, 95> kAdvance = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,   // space to /
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556,                                  // digits
    278, 278, 584, 584, 584, 556, 1015,                                                // : to @
    667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833,                   // A to M
    722, 778, 667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611,                   // N to Z
    278, 278, 278, 469, 556, 333,                                                      // [ to `
    556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833,                   // a to m
    556, 556, 556, 556, 333, 500, 278, 556, 500, 722, 500, 500, 500,                   // n to z
    334, 260, 334, 584};                                                               // { to ~

constexpr double kFontPixels = 13.0;

// The message box is 449 pixels wide; its frame, the scroll bar that a second
// line brings up and the text margins leave 425, and a few pixels more are
// kept free for rendering differences between systems.
constexpr double kLineWidth = 420.0;

// A character outside printable ASCII, which the table must not hold anyway,
// counts as the widest one, so that measuring it stays safe.
double TextWidth(std::string_view text) {
    double width = 0;
    for (char c : text) {
        const auto code = static_cast<unsigned char>(c);
        const int advance = code >= 32 && code < 127 ? kAdvance[code - 32] : 1015;
        width += advance * kFontPixels / 1000.0;
    }
    return width;
}

// Word wrap as the message box does it, breaking only at blanks: hyphens are
// ignored as break points, which can only overstate the line count.
int WrappedLines(std::string_view text) {
    int lines = 1;
    double lineWidth = 0;
    bool lineEmpty = true;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = std::min(text.find(' ', pos), text.size());
        const double word = TextWidth(text.substr(pos, end - pos));
        if (lineEmpty) {
            lineWidth = word;
            lineEmpty = false;
        } else if (lineWidth + TextWidth(" ") + word <= kLineWidth) {
            lineWidth += TextWidth(" ") + word;
        } else {
            ++lines;
            lineWidth = word;
        }
        pos = end + 1;
    }
    return lines;
}

TEST(ResultSayings, FixedSayingsStandAtTheFirstNumberOfTheirBands) {
    EXPECT_EQ(ResultSaying(0), "Well, we all have started somewhere, didn't we?");
    EXPECT_EQ(ResultSaying(10),
              "Be not afraid of growing slowly. Be only afraid of standing still. - Old Chinese proverb.");
    EXPECT_EQ(ResultSaying(20),
              "And with a well-placed kick, the master prepared his disciple for more. - From one who knows.");
    EXPECT_EQ(ResultSaying(30), "The range of thirty percent usually is where they all get thirsty. Cheers!");
    EXPECT_EQ(ResultSaying(40),
              "Quite good for a start: Now that you have made forty percent, you only lack sixty to win.");
    EXPECT_EQ(ResultSaying(50), "Fifty percent and beyond is where the air gets thinner. Keep moving, young expert.");
    EXPECT_EQ(ResultSaying(60),
              "Come on, now that you have made sixty percent, you only need another forty to reach the top.");
    EXPECT_EQ(ResultSaying(70), "Practice, oh prospective winner, and nothing shall separate you from 100 percent.");
    EXPECT_EQ(ResultSaying(80),
              "Up here, in the higher regions, people are always very fond of new arrivals. "
              "Keep on moving, mountaineer!");
    EXPECT_EQ(ResultSaying(90), "So close to the top you can certainly smell the sweet odor of victory.");
    EXPECT_EQ(ResultSaying(100),
              "Only in the Highlands can you perceive the quiescense of the lower regions. Welcome, up here.");
}

TEST(ResultSayings, EveryNumberHoldsItsOwnTextAndNoOtherNumberDoes) {
    std::set<std::string_view> seen;
    for (int number = 0; number < kResultSayingCount; ++number) {
        EXPECT_FALSE(ResultSaying(number).empty()) << number;
        EXPECT_TRUE(seen.insert(ResultSaying(number)).second) << "repeated: " << number;
    }
    for (int number : {-1, kResultSayingCount, kResultSayingCount + 10, INT_MIN, INT_MAX}) {
        EXPECT_TRUE(ResultSaying(number).empty()) << number;
    }
}

TEST(ResultSayings, TextsArePlainTidySentences) {
    for (int number = 0; number < kResultSayingCount; ++number) {
        const std::string_view saying = ResultSaying(number);
        SCOPED_TRACE(number);
        EXPECT_LE(saying.size(), 140u);
        EXPECT_TRUE(std::all_of(saying.begin(), saying.end(), [](char c) { return c >= 0x20 && c <= 0x7e; }));
        EXPECT_TRUE(std::isupper(static_cast<unsigned char>(saying.front())));
        EXPECT_NE(std::string_view(".!?").find(saying.back()), std::string_view::npos);
        EXPECT_EQ(saying.find("  "), std::string_view::npos);
        // An attribution comes last, once, and starts with a capital.
        const std::size_t dash = saying.find(" - ");
        if (dash != std::string_view::npos) {
            EXPECT_EQ(saying.find(" - ", dash + 1), std::string_view::npos);
            EXPECT_TRUE(std::isupper(static_cast<unsigned char>(saying[dash + 3])));
        }
    }
}

TEST(ResultSayings, EachFitsTheTwoLinesOfTheMessageBox) {
    for (int number = 0; number < kResultSayingCount; ++number) {
        EXPECT_LE(WrappedLines(ResultSaying(number)), 2) << number << ": " << ResultSaying(number);
    }
    // The measure itself must be able to fail: a text of three full lines does not fit.
    EXPECT_EQ(WrappedLines(std::string(ResultSaying(80)) + " " + std::string(ResultSaying(90))), 3);
}

TEST(ResultSayings, NoTwoSayingsOfABlockOpenAlike) {
    for (int block = 0; block < kResultSayingCount; block += 10) {
        std::set<std::string> openings;
        for (int i = 0; i < 10; ++i) {
            const std::string_view saying = ResultSaying(block + i);
            const std::string opening = Lower(saying.substr(0, saying.find_first_of(" ,:!?.")));
            EXPECT_TRUE(openings.insert(opening).second) << block + i << " opens with \"" << opening << "\"";
        }
    }
}

TEST(ResultSayings, BlocksSpeakOfTheirBandsResult) {
    // Most sayings of a band name its percentage, as the fixed ones do.
    const std::array<std::pair<int, std::string_view>, 9> bandWords = {{
        {0, "below ten percent"}, {10, "ten percent"}, {20, "twenty"}, {30, "thirty"}, {40, "forty"},
        {50, "fifty"}, {60, "sixty"}, {70, "seventy"}, {80, "eighty"},
    }};
    for (const auto& [block, word] : bandWords) {
        EXPECT_GE(CountInBlock(block, word), 5) << "block " << block << " and \"" << word << "\"";
    }
    // A player past ten percent is never told to be below it.
    EXPECT_EQ(CountInBlock(10, "below ten"), 0);
    // A player who cleared the table is not reminded of a lower share, and
    // only that player hears that all 144 tiles are gone.
    for (const auto& [block, word] : bandWords) EXPECT_EQ(CountInBlock(100, word), 0) << word;
    EXPECT_EQ(CountInBlock(100, "ninety"), 0);
    for (int number = 0; number < 100; ++number) EXPECT_FALSE(Mentions(ResultSaying(number), "144")) << number;
}

TEST(ResultSayings, AssistanceIsRecommendedOnlyBelowSixtyAndWithItsMenu) {
    int blocksWithHint = 0;
    for (int block = 0; block < kResultSayingCount; block += 10) {
        const int hints = CountInBlock(block, "Assistance");
        if (block >= 60) {
            EXPECT_EQ(hints, 0) << "block " << block;
        }
        blocksWithHint += hints > 0 ? 1 : 0;
    }
    EXPECT_GE(blocksWithHint, 4);
    for (int number = 0; number < kResultSayingCount; ++number) {
        if (Mentions(ResultSaying(number), "Assistance")) {
            EXPECT_TRUE(Mentions(ResultSaying(number), "Game | Preferences")) << number;
        }
    }
}

}  // namespace
}  // namespace jadeleaf
