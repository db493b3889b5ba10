// jadeleaf-cli: deals and automatic games of given seeds, as JSON.
#include "tools/cli/Cli.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cinttypes>
#include <condition_variable>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "model/Deck.h"
#include "model/Game.h"
#include "model/MoveRules.h"
#include "model/TableLayout.h"
#include "play/ResultBands.h"
#include "tools/cli/AnalysisWindow.h"
#include "analysis/DealSolver.h"
#include "analysis/QuickAutoPlay.h"

namespace jadeleaf {

namespace {

constexpr const char* kUsage =
    "usage: jadeleaf-cli deal --seed N\n"
    "       jadeleaf-cli autoplay --seed N\n"
    "       jadeleaf-cli autoplay --seeds A..B\n"
    "       jadeleaf-cli solve --seed N [--budget NODES]\n"
    "       jadeleaf-cli solve --seeds A..B [--budget NODES] [--jobs N]\n"
    "       jadeleaf-cli --help\n"
    "N, A and B are whole numbers from 0 to 4294967295, A <= B.\n"
    "solve searches at most NODES positions a deal (default 700000) and says\n"
    "\"winnable\": true, false, or null when it ran out of its budget; --jobs N\n"
    "solves N deals at a time (default: one for each processor), in the same order.\n";

// About 1.8 s on the slowest deals on one core of the development machine:
// every deal of 0..9999 is answered within 2 s, and all but five are decided.
constexpr std::uint64_t kDefaultBudget = 700'000;
constexpr std::uint64_t kMaxJobs = 256;

int Usage(std::FILE* err, const char* problem) {
    std::fprintf(err, "jadeleaf-cli: %s\n%s", problem, kUsage);
    return 2;
}

// Digits only, leading zeros allowed, at most `limit`.
bool ParseNumber(std::string_view text, std::uint64_t limit, std::uint64_t& number) {
    if (text.empty()) return false;
    std::uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (value > (limit - digit) / 10) return false;
        value = value * 10 + digit;
    }
    number = value;
    return true;
}

bool ParseSeed(std::string_view text, std::uint32_t& seed) {
    std::uint64_t value = 0;
    if (!ParseNumber(text, UINT32_MAX, value)) return false;
    seed = static_cast<std::uint32_t>(value);
    return true;
}

bool ParseSeedRange(std::string_view text, std::uint32_t& first, std::uint32_t& last) {
    const std::size_t dots = text.find("..");
    if (dots == std::string_view::npos) return false;
    return ParseSeed(text.substr(0, dots), first) && ParseSeed(text.substr(dots + 2), last) && first <= last;
}

// Output that could not be written is a failure, not a quiet success.
int FinishOutput(std::FILE* out, std::FILE* err) {
    if (std::fflush(out) == 0 && !std::ferror(out)) return 0;
    const int error = errno;
    std::fprintf(err, "jadeleaf-cli: cannot write the output: %s\n",
                 error != 0 ? std::strerror(error) : "write error");
    return 1;
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

AutoPlayOutcome PrintAutoPlay(std::FILE* out, Game& game, std::vector<std::pair<int, int>>& pairs,
                              std::uint32_t seed) {
    const int removed = QuickAutoPlay(game, seed, pairs);
    const int percent = ResultPercent(removed);
    std::fprintf(out, "{\"seed\":%" PRIu32 ",\"moves\":[", seed);
    bool first = true;
    for (const auto& [a, b] : pairs) {
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
    std::vector<std::pair<int, int>> pairs;
    pairs.reserve(kPositionCount / 2);

    const auto started = std::chrono::steady_clock::now();
    std::uint64_t deals = 0;
    std::uint64_t cleared = 0;
    std::uint64_t percentTotal = 0;
    for (std::uint64_t seed = first; seed <= last && !std::ferror(out); ++seed) {
        const AutoPlayOutcome outcome = PrintAutoPlay(out, game, pairs, static_cast<std::uint32_t>(seed));
        ++deals;
        if (outcome.removed == kPositionCount) ++cleared;
        percentTotal += static_cast<std::uint64_t>(outcome.percent);
    }
    if (summary) {
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        std::fprintf(out, "{\"deals\":%" PRIu64 ",\"cleared\":%" PRIu64 ",\"meanPercent\":%.2f}\n", deals, cleared,
                     static_cast<double>(percentTotal) / static_cast<double>(deals));
        std::fprintf(err, "jadeleaf-cli: %" PRIu64 " deals in %.3f s (%.0f deals per second)\n", deals, seconds,
                     seconds > 0 ? static_cast<double>(deals) / seconds : 0.0);
    }
    if (window.WaitedForInput()) {
        std::fprintf(err, "jadeleaf-cli: the game waited for input during automatic play\n");
        return 3;
    }
    return FinishOutput(out, err);
}

const char* VerdictJson(SolveVerdict verdict) {
    switch (verdict) {
    case SolveVerdict::Winnable:
        return "true";
    case SolveVerdict::Unwinnable:
        return "false";
    case SolveVerdict::Unknown:
        break;
    }
    return "null";
}

// One deal's answer line, made by whichever worker solved it.
struct SolvedDeal {
    std::string line;
    double ms = 0;
    SolveVerdict verdict = SolveVerdict::Unknown;
};

void AppendFormat(std::string& text, const char* format, ...) __attribute__((format(printf, 2, 3)));
void AppendFormat(std::string& text, const char* format, ...) {
    char buffer[128];
    va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(buffer, sizeof buffer, format, arguments);
    va_end(arguments);
    if (length > 0) text.append(buffer, static_cast<std::size_t>(std::min<int>(length, sizeof buffer - 1)));
}

void SolveDeal(DealSolver& solver, std::uint32_t seed, std::uint64_t budget, SolvedDeal& solved) {
    const GameTable table = DealtTable(seed);
    const auto started = std::chrono::steady_clock::now();
    const SolveResult result = solver.Solve(table, budget);
    solved.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
    solved.verdict = result.verdict;
    std::string& line = solved.line;
    line.clear();
    AppendFormat(line, "{\"seed\":%" PRIu32 ",\"winnable\":%s,\"moves\":[", seed, VerdictJson(result.verdict));
    bool firstPair = true;
    for (const auto& [a, b] : result.pairs) {
        AppendFormat(line, "%s[%d,%d]", firstPair ? "" : ",", a, b);
        firstPair = false;
    }
    AppendFormat(line, "],\"nodes\":%" PRIu64 ",\"ms\":%.3f}\n", result.nodes, solved.ms);
}

// Deals solved by `jobs` workers, each with its own solver, and handed out
// in seed order: the workers run at most a window of deals ahead of the
// oldest one not yet printed, so a range of any length takes little memory.
class OrderedSolves {
public:
    OrderedSolves(std::uint32_t first, std::uint64_t count, std::uint64_t budget, int jobs)
        : first_(first), count_(count), budget_(budget), slots_(static_cast<std::size_t>(jobs) * 64) {
        for (int i = 0; i < jobs; ++i) workers_.emplace_back([this] { Work(); });
    }

    ~OrderedSolves() {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            stopped_ = true;
        }
        changed_.notify_all();
        for (std::thread& worker : workers_) worker.join();
    }

    // The deal `index` of the range, once solved; indices come in order.
    void Take(std::uint64_t index, SolvedDeal& solved) {
        std::unique_lock<std::mutex> lock(mutex_);
        Slot& slot = slots_[index % slots_.size()];
        changed_.wait(lock, [&] { return slot.ready; });
        std::swap(solved, slot.deal);
        slot.ready = false;
        ++taken_;
        lock.unlock();
        changed_.notify_all();
    }

private:
    struct Slot {
        SolvedDeal deal;
        bool ready = false;
    };

    void Work() {
        DealSolver solver;
        SolvedDeal solved;
        for (;;) {
            std::uint64_t index = 0;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                changed_.wait(lock, [&] { return stopped_ || next_ >= count_ || next_ - taken_ < slots_.size(); });
                if (stopped_ || next_ >= count_) return;
                index = next_++;
            }
            SolveDeal(solver, static_cast<std::uint32_t>(first_ + index), budget_, solved);
            {
                const std::lock_guard<std::mutex> lock(mutex_);
                Slot& slot = slots_[index % slots_.size()];
                std::swap(slot.deal, solved);
                slot.ready = true;
            }
            changed_.notify_all();
        }
    }

    const std::uint64_t first_;
    const std::uint64_t count_;
    const std::uint64_t budget_;
    std::vector<Slot> slots_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::uint64_t next_ = 0;
    std::uint64_t taken_ = 0;
    bool stopped_ = false;
    std::vector<std::thread> workers_;
};

int RunSolve(std::FILE* out, std::FILE* err, std::uint32_t first, std::uint32_t last, std::uint64_t budget,
             bool summary, int jobs) {
    const std::uint64_t count = std::uint64_t{last} - first + 1;
    std::vector<double> times;
    std::uint64_t counts[3] = {};
    auto print = [&](const SolvedDeal& solved) {
        if (summary) times.push_back(solved.ms);
        ++counts[static_cast<int>(solved.verdict)];
        std::fputs(solved.line.c_str(), out);
    };
    SolvedDeal solved;
    if (jobs <= 1 || count == 1) {
        DealSolver solver;
        for (std::uint64_t i = 0; i < count && !std::ferror(out); ++i) {
            SolveDeal(solver, static_cast<std::uint32_t>(first + i), budget, solved);
            print(solved);
        }
    } else {
        OrderedSolves solves(first, count, budget, static_cast<int>(std::min<std::uint64_t>(jobs, count)));
        for (std::uint64_t i = 0; i < count && !std::ferror(out); ++i) {
            solves.Take(i, solved);
            print(solved);
        }
    }
    if (summary && !times.empty()) {
        const auto middle = times.begin() + static_cast<std::ptrdiff_t>(times.size() / 2);
        std::nth_element(times.begin(), middle, times.end());
        double median = *middle;
        if (times.size() % 2 == 0) median = (median + *std::max_element(times.begin(), middle)) / 2;
        std::fprintf(out,
                     "{\"deals\":%zu,\"winnable\":%" PRIu64 ",\"unwinnable\":%" PRIu64 ",\"unknown\":%" PRIu64
                     ",\"medianMs\":%.3f}\n",
                     times.size(), counts[static_cast<int>(SolveVerdict::Winnable)],
                     counts[static_cast<int>(SolveVerdict::Unwinnable)],
                     counts[static_cast<int>(SolveVerdict::Unknown)], median);
    }
    return FinishOutput(out, err);
}

// One job for each processor the system offers.
int DefaultJobs() {
    const unsigned processors = std::thread::hardware_concurrency();
    return static_cast<int>(std::clamp<unsigned>(processors, 1, kMaxJobs));
}

// The command line, once read.
struct Request {
    std::string_view command;
    bool oneSeed = false;
    bool seedRange = false;
    bool budgetGiven = false;
    bool jobsGiven = false;
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    std::uint64_t budget = kDefaultBudget;
    std::uint64_t jobs = 0;  // 0: one for each processor
};

// Reads "command --option value ..."; on a problem returns its description.
const char* ReadRequest(int argc, const char* const* argv, Request& request) {
    if (argc < 2) return "expected a command";
    request.command = argv[1];
    if (request.command != "deal" && request.command != "autoplay" && request.command != "solve") {
        return "unknown command";
    }
    for (int i = 2; i < argc; i += 2) {
        const std::string_view option = argv[i];
        if (i + 1 >= argc) return "an option without its value";
        const std::string_view value = argv[i + 1];
        if (option == "--seed" && !request.oneSeed && !request.seedRange) {
            if (!ParseSeed(value, request.first)) return "bad seed";
            request.last = request.first;
            request.oneSeed = true;
        } else if (option == "--seeds" && !request.oneSeed && !request.seedRange && request.command != "deal") {
            if (!ParseSeedRange(value, request.first, request.last)) return "bad seed range";
            request.seedRange = true;
        } else if (option == "--budget" && !request.budgetGiven && request.command == "solve") {
            if (!ParseNumber(value, UINT64_MAX, request.budget) || request.budget == 0) return "bad budget";
            request.budgetGiven = true;
        } else if (option == "--jobs" && !request.jobsGiven && request.command == "solve") {
            if (!ParseNumber(value, kMaxJobs, request.jobs) || request.jobs == 0) return "bad number of jobs";
            request.jobsGiven = true;
        } else {
            return "unknown or repeated option";
        }
    }
    if (!request.oneSeed && !request.seedRange) return "expected --seed or --seeds";
    return nullptr;
}

}  // namespace

int RunCli(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--help") {
            std::fputs(kUsage, out);
            return FinishOutput(out, err);
        }
    }
    Request request;
    if (const char* problem = ReadRequest(argc, argv, request)) return Usage(err, problem);
    if (request.command == "deal") {
        PrintDeal(out, request.first);
        return FinishOutput(out, err);
    }
    if (request.command == "autoplay") return RunAutoPlay(out, err, request.first, request.last, request.seedRange);
    const int jobs = request.jobsGiven ? static_cast<int>(request.jobs) : DefaultJobs();
    return RunSolve(out, err, request.first, request.last, request.budget, request.seedRange, jobs);
}

}  // namespace jadeleaf
