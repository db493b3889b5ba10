// The analysis tool, run as its own process.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

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

TEST(Cli, BadCommandLinesGetTheUsageAndStatus2) {
    for (const char* arguments :
         {"", "deal", "deal --seed", "deal --seed x", "deal --seed -1", "deal --seed 4294967296", "deal --seed 1 2",
          "deal --seeds 1..2", "autoplay --seeds 5..3", "autoplay --seeds 1..", "autoplay --seed 1..2",
          "shuffle --seed 1", "deal --seed 12a"}) {
        SCOPED_TRACE(arguments);
        const CliRun run = RunCli(arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("jadeleaf-cli: ", 0), 0u);
        EXPECT_NE(run.err.find("usage: jadeleaf-cli deal --seed N"), std::string::npos);
    }
}

}  // namespace
