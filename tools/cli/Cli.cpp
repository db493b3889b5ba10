// jadeleaf-cli: deals and automatic games of given seeds, as JSON.
#include "tools/cli/Cli.h"

#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "model/Deck.h"
#include "model/Game.h"
#include "model/MoveRules.h"
#include "model/TableLayout.h"
#include "play/ResultBands.h"
#include "tools/cli/AnalysisWindow.h"

namespace jadeleaf {

namespace {

constexpr const char* kUsage =
    "usage: jadeleaf-cli deal --seed N\n"
    "       jadeleaf-cli autoplay --seed N\n"
    "       jadeleaf-cli autoplay --seeds A..B\n"
    "N, A and B are whole numbers from 0 to 4294967295, A <= B.\n";

int Usage(std::FILE* err, const char* problem) {
    std::fprintf(err, "jadeleaf-cli: %s\n%s", problem, kUsage);
    return 2;
}

// A whole number 0 to 2^32 - 1, digits only.
bool ParseSeed(std::string_view text, std::uint32_t& seed) {
    if (text.empty() || text.size() > 10) return false;
    std::uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (value > UINT32_MAX) return false;
    seed = static_cast<std::uint32_t>(value);
    return true;
}

bool ParseSeedRange(std::string_view text, std::uint32_t& first, std::uint32_t& last) {
    const std::size_t dots = text.find("..");
    if (dots == std::string_view::npos) return false;
    return ParseSeed(text.substr(0, dots), first) && ParseSeed(text.substr(dots + 2), last) && first <= last;
}

void PrintJsonString(std::FILE* out, std::string_view text) {
    std::fputc('"', out);
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            std::fputc('\\', out);
            std::fputc(c, out);
        } else if (static_cast<unsigned char>(c) < 0x20) {
            std::fprintf(out, "\\u%04x", c);
        } else {
            std::fputc(c, out);
        }
    }
    std::fputc('"', out);
}

void PrintDeal(std::FILE* out, std::uint32_t seed) {
    const GameTable table = DealtTable(seed);

    std::fprintf(out, "{\"seed\":%" PRIu32 ",\"deal\":[", seed);
    for (int i = 0; i < kPositionCount; ++i) std::fprintf(out, "%s%d", i ? "," : "", table.deal[i]);
    std::fputs("],\"tiles\":[", out);
    for (int p = 1; p <= kPositionCount; ++p) {
        const TileRecord& t = table.tiles[p];
        std::fprintf(out,
                     "%s{\"position\":%d,\"face\":%d,\"layer\":%d,\"x\":%d,\"y\":%d,\"left\":[%d,%d],"
                     "\"right\":[%d,%d],\"below\":[%d,%d,%d,%d],\"covered\":%d,\"leftBlocked\":%d,"
                     "\"rightBlocked\":%d,\"shown\":%d,\"free\":%s}",
                     p > 1 ? "," : "", p, t.face, t.layer, t.x, t.y, t.left[0], t.left[1], t.right[0], t.right[1],
                     t.below[0], t.below[1], t.below[2], t.below[3], t.covered, t.leftBlocked, t.rightBlocked,
                     t.shown, IsFree(table, p) ? "true" : "false");
    }
    std::fputs("]}\n", out);
}

struct AutoPlayOutcome {
    int removed;
    int percent;
};

AutoPlayOutcome PrintAutoPlay(std::FILE* out, Game& game, AnalysisWindow& window, std::uint32_t seed) {
    window.SetSeed(seed);
    window.BeginGame();
    game.AutoPlay1Click();

    const int removed = game.table.score;
    const int percent = ResultPercent(removed);
    std::fprintf(out, "{\"seed\":%" PRIu32 ",\"moves\":[", seed);
    bool first = true;
    for (const auto& [a, b] : window.RemovedPairs()) {
        std::fprintf(out, "%s[%d,%d]", first ? "" : ",", a, b);
        first = false;
    }
    std::fprintf(out, "],\"removed\":%d,\"percent\":%d,\"verdict\":", removed, percent);
    PrintJsonString(out, ResultBandOf(percent).verdict);
    std::fputs("}\n", out);
    return {removed, percent};
}

int RunAutoPlay(std::FILE* out, std::FILE* err, std::uint32_t first, std::uint32_t last, bool summary) {
    AnalysisWindow window;
    Game game(window);
    window.Attach(game);
    game.shell.startupPending = 0;
    game.shell.autoPlayDelay = 0;

    const auto started = std::chrono::steady_clock::now();
    std::uint64_t deals = 0;
    std::uint64_t cleared = 0;
    std::uint64_t percentTotal = 0;
    for (std::uint64_t seed = first; seed <= last; ++seed) {
        const AutoPlayOutcome outcome = PrintAutoPlay(out, game, window, static_cast<std::uint32_t>(seed));
        ++deals;
        if (outcome.removed == kPositionCount) ++cleared;
        percentTotal += static_cast<std::uint64_t>(outcome.percent);
    }
    if (!summary) return 0;

    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::fprintf(out, "{\"deals\":%" PRIu64 ",\"cleared\":%" PRIu64 ",\"meanPercent\":%.2f}\n", deals, cleared,
                 static_cast<double>(percentTotal) / static_cast<double>(deals));
    std::fprintf(err, "jadeleaf-cli: %" PRIu64 " deals in %.3f s (%.0f deals per second)\n", deals, seconds,
                 seconds > 0 ? static_cast<double>(deals) / seconds : 0.0);
    return 0;
}

}  // namespace

int RunCli(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    if (argc != 4) return Usage(err, "expected a command and one option with its value");
    const std::string_view command = argv[1];
    const std::string_view option = argv[2];
    const std::string_view value = argv[3];
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    if (command == "deal" && option == "--seed") {
        if (!ParseSeed(value, first)) return Usage(err, "bad seed");
        PrintDeal(out, first);
        return 0;
    }
    if (command == "autoplay" && option == "--seed") {
        if (!ParseSeed(value, first)) return Usage(err, "bad seed");
        return RunAutoPlay(out, err, first, first, false);
    }
    if (command == "autoplay" && option == "--seeds") {
        if (!ParseSeedRange(value, first, last)) return Usage(err, "bad seed range");
        return RunAutoPlay(out, err, first, last, true);
    }
    return Usage(err, "unknown command or option");
}

}  // namespace jadeleaf
