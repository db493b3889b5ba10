// The analysis tool, run as its own process.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "model/Deck.h"
#include "model/Game.h"
#include "model/MoveRules.h"
#include "tests/FakeWindow.h"

namespace jadeleaf {
namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun RunCli(const std::string& arguments) {
    // One file per test process: the tests run side by side.
    const std::string errFile = ::testing::TempDir() + "jadeleaf-cli-stderr-" + std::to_string(getpid()) + ".txt";
    const std::string command = std::string(JADELEAF_CLI) + " " + arguments + " 2>" + errFile;
    CliRun run{};
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return {-1, "", "popen failed"};
    char buffer[65536];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(errFile);
    std::stringstream text;
    text << err.rdbuf();
    run.err = text.str();
    std::remove(errFile.c_str());
    return run;
}

int Occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

TEST(Cli, DealPrintsTheFacesAndEveryRecord) {
    const CliRun run = RunCli("deal --seed 12345");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("{\"seed\":12345,\"deal\":[2,7,22,31,29,29,18,9,21,3,", 0), 0u);
    EXPECT_EQ(Lines(run.out).size(), 1u);
    EXPECT_EQ(Occurrences(run.out, "{\"position\":"), 144);
    EXPECT_EQ(Occurrences(run.out, "\"free\":true"), 35);
    EXPECT_NE(run.out.find("{\"position\":1,\"face\":2,\"layer\":1,\"x\":49,\"y\":16,\"left\":[0,0],\"right\":[2,0],"
                           "\"below\":[0,0,0,0],\"covered\":0,\"leftBlocked\":0,\"rightBlocked\":1,\"shown\":1,"
                           "\"free\":true}"),
              std::string::npos);
    EXPECT_NE(run.out.find("\"position\":143,"), std::string::npos);
    EXPECT_NE(run.out.find("\"x\":445,\"y\":168,\"left\":[42,54],\"right\":[144,0],\"below\":[0,0,0,0],"
                           "\"covered\":0,\"leftBlocked\":1,\"rightBlocked\":1,\"shown\":1,\"free\":false}"),
              std::string::npos);
    EXPECT_NE(run.out.find("{\"position\":141,"), std::string::npos);
    EXPECT_NE(run.out.find("\"layer\":5,\"x\":246,\"y\":154,\"left\":[0,0],\"right\":[0,0],"
                           "\"below\":[137,138,139,140],\"covered\":0"),
              std::string::npos);
    EXPECT_EQ(RunCli("deal --seed 1").out.rfind("{\"seed\":1,\"deal\":[23,23,13,32,1,29,34,6,29,5,", 0), 0u);
    EXPECT_EQ(RunCli("deal --seed 4294967295").status, 0);
}

TEST(Cli, AutoplayOfOneSeed) {
    const CliRun run = RunCli("autoplay --seed 12345");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "{\"seed\":12345,\"moves\":[[1,120],[91,119],[103,121],[102,114],[13,21],[22,108],[30,55],[29,128],"
              "[56,115],[97,136],[90,113],[65,96],[28,64],[66,116],[20,63],[118,133],[12,134]],\"removed\":34,"
              "\"percent\":23,\"verdict\":\"Keep trying, seeker of perfection!\"}\n");
    EXPECT_EQ(run.err, "");
}

TEST(Cli, AutoplayOfASeedRangeAndItsSummary) {
    const CliRun run = RunCli("autoplay --seeds 0..19");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 21u);
    for (int seed = 0; seed < 20; ++seed) {
        EXPECT_EQ(lines[seed] + "\n", RunCli("autoplay --seed " + std::to_string(seed)).out);
    }
    int cleared = 0;
    int percentTotal = 0;
    for (int seed = 0; seed < 20; ++seed) {
        cleared += lines[seed].find("\"removed\":144,") != std::string::npos ? 1 : 0;
        const std::size_t at = lines[seed].find("\"percent\":");
        percentTotal += std::stoi(lines[seed].substr(at + 10));
    }
    char summary[128];
    std::snprintf(summary, sizeof summary, "{\"deals\":20,\"cleared\":%d,\"meanPercent\":%.2f}", cleared,
                  percentTotal / 20.0);
    EXPECT_EQ(lines[20], summary);
    EXPECT_NE(run.err.find("deals per second"), std::string::npos);
}

// The pairs of a "moves" array, in order.
std::vector<std::pair<int, int>> MovesOf(const std::string& line) {
    std::vector<std::pair<int, int>> pairs;
    const std::size_t at = line.find("\"moves\":[");
    if (at == std::string::npos) return pairs;
    const char* text = line.c_str() + at + 9;
    int a = 0;
    int b = 0;
    int used = 0;
    while (std::sscanf(text, "[%d,%d]%n", &a, &b, &used) == 2) {
        pairs.emplace_back(a, b);
        text += used;
        if (*text == ',') ++text;
    }
    return pairs;
}

// Every printed winning order is played through the game's own rules.
TEST(Cli, SolveOfASeedRangeGivesOrdersThatEmptyTheTable) {
    const CliRun run = RunCli("solve --seeds 0..24 --budget 20000");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 26u);
    int counts[3] = {};
    for (std::uint32_t seed = 0; seed < 25; ++seed) {
        const std::string& line = lines[seed];
        SCOPED_TRACE(line.substr(0, 40));
        EXPECT_EQ(line.rfind("{\"seed\":" + std::to_string(seed) + ",\"winnable\":", 0), 0u);
        EXPECT_NE(line.find("],\"nodes\":"), std::string::npos);
        EXPECT_NE(line.find(",\"ms\":"), std::string::npos);
        const std::vector<std::pair<int, int>> pairs = MovesOf(line);
        if (line.find("\"winnable\":true") == std::string::npos) {
            EXPECT_TRUE(pairs.empty());
            ++counts[line.find("\"winnable\":false") != std::string::npos ? 1 : 2];
            continue;
        }
        ++counts[0];
        test::FakeWindow window;
        Game game(window);
        window.Attach(game);
        game.table = DealtTable(seed);
        ASSERT_EQ(pairs.size(), 72u);
        for (const auto& [a, b] : pairs) {
            ASSERT_TRUE(a != b && IsFree(game.table, a) && IsFree(game.table, b) && TilesMatch(game.table, a, b))
                << a << "," << b;
            game.RemovePair(a, b);
        }
        EXPECT_EQ(game.table.tilesLeft, 0);
        EXPECT_TRUE(window.boxes.empty());
    }
    EXPECT_GE(counts[0], 20);
    const std::string summary = "{\"deals\":25,\"winnable\":" + std::to_string(counts[0]) +
                                ",\"unwinnable\":" + std::to_string(counts[1]) +
                                ",\"unknown\":" + std::to_string(counts[2]) + ",\"medianMs\":";
    EXPECT_EQ(lines[25].rfind(summary, 0), 0u) << lines[25];
}

TEST(Cli, SolveOfOneSeedAndItsBudget) {
    const CliRun run = RunCli("solve --seed 1");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("{\"seed\":1,\"winnable\":true,\"moves\":[[", 0), 0u);
    EXPECT_EQ(MovesOf(run.out).size(), 72u);
    EXPECT_EQ(Lines(run.out).size(), 1u);

    const CliRun starved = RunCli("solve --budget 1 --seed 1");
    ASSERT_EQ(starved.status, 0) << starved.err;
    EXPECT_EQ(starved.out.rfind("{\"seed\":1,\"winnable\":null,\"moves\":[],\"nodes\":1,\"ms\":", 0), 0u);
}

// The lines without their times, which alone may differ from run to run.
std::string WithoutTimes(std::string text) {
    for (const char* field : {"\"ms\":", "\"medianMs\":"}) {
        for (std::size_t at = text.find(field); at != std::string::npos; at = text.find(field, at + 1)) {
            const std::size_t start = at + std::strlen(field);
            text.erase(start, text.find_first_of(",}", start) - start);
        }
    }
    return text;
}

// Many workers print what one prints, in seed order; the window of deals
// ahead (64 a worker) is passed, and a slow deal (seed 1280) holds up
// none of the lines after it being solved.
TEST(Cli, SolveOnSeveralWorkersPrintsTheLinesOfOne) {
    const CliRun one = RunCli("solve --seeds 1200..1349 --budget 20000 --jobs 1");
    ASSERT_EQ(one.status, 0) << one.err;
    ASSERT_EQ(Lines(one.out).size(), 151u);
    for (const char* jobs : {"2", "3"}) {
        const CliRun many = RunCli(std::string("solve --seeds 1200..1349 --budget 20000 --jobs ") + jobs);
        ASSERT_EQ(many.status, 0) << many.err;
        EXPECT_EQ(WithoutTimes(many.out), WithoutTimes(one.out)) << jobs << " jobs";
    }
    EXPECT_EQ(WithoutTimes(RunCli("solve --seed 7 --jobs 2").out), WithoutTimes(RunCli("solve --seed 7").out));
    for (const char* bad : {"solve --seeds 1..2 --jobs 0", "solve --seeds 1..2 --jobs 257", "solve --seeds 1..2 --jobs x",
                            "solve --seeds 1..2 --jobs 2 --jobs 2", "autoplay --seeds 1..2 --jobs 2"}) {
        EXPECT_EQ(RunCli(bad).status, 2) << bad;
    }
}

TEST(Cli, HelpPrintsTheUsageAndSucceeds) {
    for (const char* arguments : {"--help", "solve --help", "deal --seed 1 --help"}) {
        const CliRun run = RunCli(arguments);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out.rfind("usage: jadeleaf-cli deal --seed N\n", 0), 0u);
        EXPECT_NE(run.out.find("jadeleaf-cli solve --seeds A..B [--budget NODES]"), std::string::npos);
        EXPECT_EQ(run.err, "");
    }
}

// The manual page's synopsis as plain text: font changes dropped and its minus signs made plain.
std::vector<std::string> PageSynopsis(const std::string& page) {
    std::vector<std::string> synopsis;
    bool inside = false;
    for (std::string line : Lines(page)) {
        if (line.rfind(".SH", 0) == 0) inside = line == ".SH SYNOPSIS";
        if (!inside || line.empty() || line[0] == '.') continue;
        for (const char* escape : {"\\fB", "\\fI", "\\fR", "\\fP"})
            for (std::size_t at; (at = line.find(escape)) != std::string::npos;) line.erase(at, 3);
        for (std::size_t at; (at = line.find("\\-")) != std::string::npos;) line.erase(at, 1);
        synopsis.push_back(line);
    }
    return synopsis;
}

TEST(Cli, HelpAndTheManualPageListTheSameCommands) {
    std::ifstream file(JADELEAF_CLI_PAGE);
    ASSERT_TRUE(file.good()) << JADELEAF_CLI_PAGE;
    std::stringstream page;
    page << file.rdbuf();
    std::vector<std::string> usage;
    for (std::string line : Lines(RunCli("--help").out)) {
        line.erase(0, line.find_first_not_of(' '));
        if (line.rfind("usage: ", 0) == 0) line.erase(0, 7);
        if (line.rfind("jadeleaf-cli ", 0) == 0) usage.push_back(line);
    }
    EXPECT_EQ(usage.size(), 6u);
    EXPECT_EQ(PageSynopsis(page.str()), usage);
    // Each command has its own entry in the page's list of commands.
    for (const char* entry : {".BI \"deal \\-\\-seed \" N\n", ".BI \"autoplay \\-\\-seed \" N\n",
                              ".BI \"autoplay \\-\\-seeds \" A .. B\n", ".BI \"solve \\-\\-seed \" N ",
                              ".BI \"solve \\-\\-seeds \" A .. B ", ".B \\-\\-help\n"})
        EXPECT_EQ(Occurrences(page.str(), entry), 1) << entry;
}

TEST(Cli, SeedsTakeAnyNumberOfLeadingZeros) {
    const std::string one = RunCli("deal --seed 1").out;
    EXPECT_EQ(RunCli("deal --seed 00000000001").out, one);
    EXPECT_EQ(RunCli("deal --seed 0000000000000000000001").out, one);
    EXPECT_EQ(RunCli("deal --seed 000004294967295").out, RunCli("deal --seed 4294967295").out);
    EXPECT_EQ(RunCli("deal --seed 000").out, RunCli("deal --seed 0").out);
    EXPECT_EQ(RunCli("autoplay --seeds 0001..00002").status, 0);
    EXPECT_EQ(RunCli("deal --seed 0004294967296").status, 2);
    EXPECT_EQ(RunCli("deal --seed 99999999999999999999999").status, 2);
}

// Output that cannot be written is an error, whatever the command.
TEST(Cli, AFullDiskIsAFailure) {
    for (const char* arguments : {"deal --seed 1", "autoplay --seeds 0..50", "solve --seed 3", "--help"}) {
        SCOPED_TRACE(arguments);
        const std::string errFile = ::testing::TempDir() + "jadeleaf-cli-full-" + std::to_string(getpid()) + ".txt";
        const int status = std::system((std::string(JADELEAF_CLI) + " " + arguments + " >/dev/full 2>" + errFile).c_str());
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 1);
        std::ifstream err(errFile);
        std::stringstream text;
        text << err.rdbuf();
        EXPECT_NE(text.str().find("jadeleaf-cli: cannot write the output: No space left on device"), std::string::npos)
            << text.str();
        std::remove(errFile.c_str());
    }
}

TEST(Cli, BadCommandLinesGetTheUsageAndStatus2) {
    for (const char* arguments :
         {"", "deal", "deal --seed", "deal --seed x", "deal --seed -1", "deal --seed 4294967296", "deal --seed 1 2",
          "deal --seeds 1..2", "autoplay --seeds 5..3", "autoplay --seeds 1..", "autoplay --seed 1..2",
          "shuffle --seed 1", "deal --seed 12a", "solve", "solve --seed 1 --budget 0", "solve --seed 1 --budget x",
          "solve --seed 1 --budget", "solve --seed 1 --seed 2", "solve --seeds 1..2 --seed 3", "deal --seed 1 --budget 5",
          "autoplay --seed 1 --budget 5", "solve --budget 5", "solve --seed 1 --budget 99999999999999999999"}) {
        SCOPED_TRACE(arguments);
        const CliRun run = RunCli(arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("jadeleaf-cli: ", 0), 0u);
        EXPECT_NE(run.err.find("usage: jadeleaf-cli deal --seed N"), std::string::npos);
    }
}

}  // namespace
}  // namespace jadeleaf
