// Glyph data. Each row string is one pixel row; all rows of a glyph have the same length.
#include "resources/artgen/Glyphs.h"

#include <array>
#include <stdexcept>
#include <string_view>

namespace jadeleaf {

namespace {

using Rows = std::string_view;

// Chinese numerals one to nine, drawn twice their size above the sign of the character suit.
constexpr Rows kNumeral1[] = {
    "...........",
    "...........",
    "...........",
    "###########",
    "...........",
    "...........",
    "...........",
};
constexpr Rows kNumeral2[] = {
    "...........",
    "..#######..",
    "...........",
    "...........",
    "...........",
    "###########",
    "...........",
};
constexpr Rows kNumeral3[] = {
    "..#######..",
    "...........",
    "...........",
    "...#####...",
    "...........",
    "...........",
    "###########",
};
constexpr Rows kNumeral4[] = {
    "###########",
    "#...#..#..#",
    "#...#..#..#",
    "#..#...#..#",
    "#.#.....###",
    "#.........#",
    "###########",
};
constexpr Rows kNumeral5[] = {
    "##########.",
    "...#.......",
    "...#.......",
    "..#######..",
    "..#.....#..",
    ".#......#..",
    "###########",
};
constexpr Rows kNumeral6[] = {
    "....##.....",
    ".....##....",
    "###########",
    "...........",
    "...#...#...",
    "..#.....#..",
    ".#.......#.",
};
constexpr Rows kNumeral7[] = {
    "...#.......",
    "...#.....##",
    ".#######...",
    "...#.......",
    "...#.......",
    "...#......#",
    "....#######",
};
constexpr Rows kNumeral8[] = {
    "...#...#...",
    "...#...#...",
    "...#....#..",
    "..#.....#..",
    "..#......#.",
    ".#.......#.",
    "#.........#",
};
constexpr Rows kNumeral9[] = {
    "..#........",
    "..#........",
    "######.....",
    "..#..#.....",
    "..#..#.....",
    ".#...#....#",
    "#....######",
};

constexpr Rows kWan[] = {
    "...#...#...",
    "###########",
    "...#...#...",
    ".#########.",
    ".#...#...#.",
    ".#########.",
    ".#...#...#.",
    ".#########.",
    "#....#....#",
    "#.#######.#",
    "#........##",
};

constexpr Rows kSmallWan[] = {
    "...#.....#...",
    "#############",
    "...#.....#...",
    ".###########.",
    ".#....#....#.",
    ".###########.",
    ".#....#....#.",
    ".###########.",
    "#.....#.....#",
    "#..#######..#",
    "#.#.......###",
};

constexpr Rows kMiddle[] = {
    ".....#.....",
    ".....#.....",
    ".....#.....",
    "###########",
    "#....#....#",
    "#....#....#",
    "#....#....#",
    "#....#....#",
    "###########",
    ".....#.....",
    ".....#.....",
    ".....#.....",
    ".....#.....",
    ".....#.....",
    ".....#.....",
};

constexpr Rows kDigits[10][5] = {
    {"###", "#.#", "#.#", "#.#", "###"},
    {".#.", "##.", ".#.", ".#.", "###"},
    {"##.", "..#", ".#.", "#..", "###"},
    {"##.", "..#", ".#.", "..#", "##."},
    {"#.#", "#.#", "###", "..#", "..#"},
    {"###", "#..", "##.", "..#", "##."},
    {".##", "#..", "###", "#.#", "###"},
    {"###", "..#", ".#.", ".#.", ".#."},
    {"###", "#.#", "###", "#.#", "###"},
    {"###", "#.#", "###", "..#", "##."},
};

constexpr Rows kWindE[] = {
    "#######", "#......", "#......", "#......", "######.", "#......", "#......", "#......", "#######",
};
constexpr Rows kWindS[] = {
    ".#####.", "#.....#", "#......", "#......", ".#####.", "......#", "......#", "#.....#", ".#####.",
};
constexpr Rows kWindW[] = {
    "#.....#", "#.....#", "#.....#", "#..#..#", "#..#..#", "#..#..#", "#.#.#.#", "##...##", "#.....#",
};
constexpr Rows kWindN[] = {
    "#.....#", "##....#", "##....#", "#.#...#", "#..#..#", "#...#.#", "#....##", "#....##", "#.....#",
};

// Title letters: ten rows, capitals and ascenders from row 0, small letters from row 4, no
// descenders (the program's name needs none).
constexpr Rows kTitleJ[] = {
    "..####", "....#.", "....#.", "....#.", "....#.", "....#.", "....#.", "#...#.", "#...#.", ".###..",
};
constexpr Rows kTitleA[] = {
    ".....", ".....", ".....", ".....", ".###.", "....#", ".####", "#...#", "#..##", ".##.#",
};
constexpr Rows kTitleD[] = {
    "....#", "....#", "....#", "....#", ".####", "#...#", "#...#", "#...#", "#..##", ".##.#",
};
constexpr Rows kTitleE[] = {
    ".....", ".....", ".....", ".....", ".###.", "#...#", "#####", "#....", "#...#", ".###.",
};
constexpr Rows kTitleL[] = {
    "##.", ".#.", ".#.", ".#.", ".#.", ".#.", ".#.", ".#.", ".#.", "###",
};
constexpr Rows kTitleF[] = {
    "..##", ".#..", ".#..", ".#..", "####", ".#..", ".#..", ".#..", ".#..", ".#..",
};
constexpr Rows kTitleDash[] = {
    "...", "...", "...", "...", "...", "...", "###", "...", "...", "...",
};
constexpr Rows kTitleCapitalV[] = {
    "#.....#", "#.....#", "#.....#", ".#...#.", ".#...#.", ".#...#.", "..#.#..", "..#.#..", "...#...", "...#...",
};
constexpr Rows kTitleO[] = {
    ".....", ".....", ".....", ".....", ".###.", "#...#", "#...#", "#...#", "#...#", ".###.",
};
constexpr Rows kTitleR[] = {
    "....", "....", "....", "....", "#.##", "##..", "#...", "#...", "#...", "#...",
};
constexpr Rows kTitleCapitalE[] = {
    "######", "#.....", "#.....", "#.....", "#####.", "#.....", "#.....", "#.....", "#.....", "######",
};
constexpr Rows kTitleI[] = {
    ".", ".", "#", ".", "#", "#", "#", "#", "#", "#",
};
constexpr Rows kTitleT[] = {
    "....", ".#..", ".#..", ".#..", "####", ".#..", ".#..", ".#..", ".#..", "..##",
};
constexpr Rows kTitleN[] = {
    ".....", ".....", ".....", ".....", "#.##.", "##..#", "#...#", "#...#", "#...#", "#...#",
};
constexpr Rows kTitleSpace[] = {
    "...", "...", "...", "...", "...", "...", "...", "...", "...", "...",
};

}  // namespace

PixelGlyph ChineseNumeral(int number) {
    static constexpr std::array<std::span<const Rows>, 9> kNumerals = {
        kNumeral1, kNumeral2, kNumeral3, kNumeral4, kNumeral5, kNumeral6, kNumeral7, kNumeral8, kNumeral9,
    };
    if (number < 1 || number > 9) throw std::out_of_range("numerals run from 1 to 9");
    return {kNumerals[static_cast<std::size_t>(number - 1)]};
}

PixelGlyph WanCharacter() { return {kWan}; }

PixelGlyph SmallWanCharacter() { return {kSmallWan}; }

PixelGlyph MiddleCharacter() { return {kMiddle}; }

PixelGlyph SmallDigit(int digit) {
    if (digit < 0 || digit > 9) throw std::out_of_range("digits run from 0 to 9");
    return {kDigits[digit]};
}

PixelGlyph WindLetter(char letter) {
    switch (letter) {
    case 'E': return {kWindE};
    case 'S': return {kWindS};
    case 'W': return {kWindW};
    case 'N': return {kWindN};
    default: throw std::out_of_range("winds are E, S, W and N");
    }
}

PixelGlyph TitleLetter(char letter) {
    switch (letter) {
    case 'J': return {kTitleJ};
    case 'a': return {kTitleA};
    case 'd': return {kTitleD};
    case 'e': return {kTitleE};
    case 'l': return {kTitleL};
    case 'f': return {kTitleF};
    case '-': return {kTitleDash};
    case 'V': return {kTitleCapitalV};
    case 'o': return {kTitleO};
    case 'r': return {kTitleR};
    case 'E': return {kTitleCapitalE};
    case 'i': return {kTitleI};
    case 't': return {kTitleT};
    case 'n': return {kTitleN};
    default: return {kTitleSpace};
    }
}

}  // namespace jadeleaf
