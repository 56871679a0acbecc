// SPDX-License-Identifier: MIT
// The batch figure: generated cases through `kazenoha --compute` against the same cases
// computed in-process through the models, in the same run; the start-up of --compute on a
// one-line file against --version; and the peak memory of --compute on a small and on a
// large input. Only ratios are judged.
//   kz_batch_bench PROGRAM [--cases N] [--rounds R] [--big-lines M] [--check]
#include "core/case/cases.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using namespace kz::cases;
using Clock = std::chrono::steady_clock;

struct Generated {
    std::vector<SheetCase> sheets;
    std::vector<CoefficientCase> coefficients;
    std::string sheetLines, coefficientLines;
};

std::string list(const std::vector<std::string>& items)
{
    std::string s = "[";
    for (std::size_t i = 0; i < items.size(); ++i)
        s += (i ? "," : "") + items[i];
    return s + "]";
}

// Sheets of both editions, every person now and then absent, shares and minors' years
// varied; coefficients of all nine calculations, inputs as numbers and as texts.
Generated generate(int n)
{
    Generated g;
    std::mt19937 rng(20261207);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int i = 0; i < n; ++i) {
        SheetCase c;
        const bool reiwa = i % 2 == 1;
        c.law = &kz::tax::lawEditions()[reiwa ? 1 : 0];
        std::string amounts;
        for (std::size_t p = 0; p < kPersonKeys.size(); ++p) {
            if (pick(0, 3) == 0)
                continue;
            c.typed[p] = true;
            std::vector<std::string> row;
            for (std::size_t r = 0; r < 6; ++r) {
                c.amounts[p][r] = std::to_string(r == 0 ? pick(0, 400000) : pick(0, 3) == 0 ? pick(0, 20000) : 0);
                row.push_back(c.amounts[p][r]);
            }
            amounts += std::string(amounts.empty() ? "" : ",") + "\"" + std::string(kPersonKeys[p]) + "\":" + list(row);
        }
        c.heirs = std::to_string(pick(1, 5));
        std::string shares;
        for (std::size_t p = 0; p < 4; ++p) {
            c.numerators[p] = "1";
            c.denominators[p] = std::to_string(p == 0 ? 2 : pick(2, 8));
            shares += std::string(p ? "," : "") + "\"" + std::string(kPersonKeys[p]) + "\":[" + c.numerators[p] + "," +
                      c.denominators[p] + "]";
        }
        c.years[1] = std::to_string(pick(0, 3) == 0 ? pick(1, 17) : 0);
        g.sheetLines += "{\"id\":" + std::to_string(i) + ",\"sheet\":{\"law\":\"" + (reiwa ? "r6" : "h20") +
                        "\",\"amounts\":{" + amounts + "},\"heirs\":" + c.heirs + ",\"shares\":{" + shares +
                        "},\"minor_years\":{\"heir3\":\"" + c.years[1] + "\"}}}\n";
        g.sheets.push_back(std::move(c));
    }
    for (int i = 0; i < n; ++i) {
        CoefficientCase c;
        c.calc = kz::coef::calcAt(i % kz::coef::kCalcCount);
        const kz::coef::CalcInfo& ci = kz::coef::calc(c.calc);
        c.amount = std::to_string(pick(0, 20000000));
        c.years = std::to_string(pick(1, 40));
        c.rate = std::to_string(pick(0, 800) / 100) + "." + std::to_string(pick(10, 99));
        std::string inputs = "\"" + fieldKey(ci.yearsField) + "\":" + c.years + ",\"" + fieldKey(ci.rateField) +
                             "\":\"" + c.rate + "\"";
        if (ci.amountField != kz::coef::kNone)
            inputs += ",\"" + fieldKey(ci.amountField) + "\":" + c.amount;
        g.coefficientLines += "{\"id\":" + std::to_string(i) + ",\"coefficient\":{\"calculation\":\"" +
                              std::string(calcName(c.calc)) + "\",\"inputs\":{" + inputs + "}}}\n";
        g.coefficients.push_back(std::move(c));
    }
    return g;
}

double seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

// Processor time, not elapsed time: the machine is shared, and a batch run is judged by the
// work it does, as the in-process run beside it.
double cpuNow()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double cpuOf(const rusage& u)
{
    auto s = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6; };
    return s(u.ru_utime) + s(u.ru_stime);
}

std::size_t sink = 0;

double inProcessSheets(const Generated& g)
{
    const double t = cpuNow();
    for (const SheetCase& c : g.sheets) {
        const SheetAnswer a = computeSheet(c);
        sink += a.sheet.labelText(kz::tax::personLabel(1, 5)).size() + static_cast<std::size_t>(a.stopped);
    }
    return cpuNow() - t;
}

double inProcessCoefficients(const Generated& g)
{
    const double t = cpuNow();
    for (const CoefficientCase& c : g.coefficients) {
        const CoefficientAnswer a = computeCoefficient(c);
        sink += a.model.text(kz::coef::calc(c.calc).results[0]).size() + a.badField.value_or(0);
    }
    return cpuNow() - t;
}

struct Run {
    double seconds = 0, cpu = 0;
    long maxRssKb = 0;
    int status = 0;
};

// Runs PROGRAM with args, standard input from `in` (a path, or a pipe fed by `feed`),
// standard output to /dev/null.
template <typename Feed>
Run run(const std::string& program, std::vector<std::string> args, const char* in, Feed&& feed)
{
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    int pipeFd[2] = {-1, -1};
    if (in) {
        posix_spawn_file_actions_addopen(&actions, 0, in, O_RDONLY, 0);
    } else if (pipe(pipeFd) == 0) {
        posix_spawn_file_actions_adddup2(&actions, pipeFd[0], 0);
        posix_spawn_file_actions_addclose(&actions, pipeFd[1]);
    }
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    Run r;
    const auto t = Clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) {
        std::perror("posix_spawn");
        std::exit(2);
    }
    posix_spawn_file_actions_destroy(&actions);
    if (pipeFd[0] >= 0) {
        close(pipeFd[0]);
        feed(pipeFd[1]);
        close(pipeFd[1]);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    r.seconds = seconds(t);
    r.maxRssKb = usage.ru_maxrss;
    r.cpu = cpuOf(usage);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128;
    return r;
}

Run runFile(const std::string& program, std::vector<std::string> args)
{
    return run(program, std::move(args), "/dev/null", [](int) {});
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

std::string write(const std::string& text, const char* name)
{
    const char* dir = std::getenv("TMPDIR");
    std::string path = std::string(dir && *dir ? dir : "/tmp") + "/kz-batch-" + std::to_string(getpid()) + "-" + name;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(text.data(), 1, text.size(), f) != text.size() || std::fclose(f) != 0) {
        std::perror(path.c_str());
        std::exit(2);
    }
    return path;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM [--cases N] [--rounds R] [--big-lines M] [--check]\n", argv[0]);
        return 2;
    }
    const std::string program = argv[1];
    int cases = 100000, rounds = 5;
    long bigLines = 1000000;
    bool check = false;
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--cases" && i + 1 < argc)
            cases = std::atoi(argv[++i]);
        else if (a == "--rounds" && i + 1 < argc)
            rounds = std::atoi(argv[++i]);
        else if (a == "--big-lines" && i + 1 < argc)
            bigLines = std::atol(argv[++i]);
        else if (a == "--check")
            check = true;
    }

    // Memory first, while this process is small: a child started by vfork counts the peak of
    // its parent's pages in its own peak. A pipe is fed with the same lines over and over (a
    // file would take hundreds of MB).
    const Generated feedSet = generate(1000);
    auto feedLines = [&](long lines) {
        return [&feedSet, lines](int fd) {
            long sent = 0;
            std::size_t at = 0;
            const std::string& text = feedSet.sheetLines;
            while (sent < lines) {
                const std::size_t end = text.find('\n', at) + 1;
                std::size_t off = at;
                while (off < end) {
                    const ssize_t w = ::write(fd, text.data() + off, end - off);
                    if (w <= 0)
                        return;
                    off += static_cast<std::size_t>(w);
                }
                ++sent;
                at = end == text.size() ? 0 : end;
            }
        };
    };
    const long smallLines = 1000;
    const Run small = run(program, {"--compute", "-"}, nullptr, feedLines(smallLines));
    const Run big = run(program, {"--compute", "-"}, nullptr, feedLines(bigLines));
    const double growthMb = (big.maxRssKb - small.maxRssKb) / 1024.0;
    std::printf("memory: peak RSS %.1f MB after %ld lines, %.1f MB after %ld lines (growth %.1f MB, target ~0)\n",
                small.maxRssKb / 1024.0, smallLines, big.maxRssKb / 1024.0, bigLines, growthMb);

    const Generated g = generate(cases);
    const std::string sheetFile = write(g.sheetLines, "sheets.jsonl");
    const std::string coefficientFile = write(g.coefficientLines, "coefficients.jsonl");
    const std::string oneLine = write(g.coefficientLines.substr(0, g.coefficientLines.find('\n') + 1), "one.jsonl");

    // Interleaved rounds: each batch run is paired with an in-process run beside it.
    std::vector<double> sheetRatio, coefficientRatio, allRatio, sheetIn, sheetOut, coefIn, coefOut;
    for (int r = 0; r < rounds; ++r) {
        const double si = inProcessSheets(g);
        const Run so = runFile(program, {"--compute", sheetFile});
        const double ci = inProcessCoefficients(g);
        const Run co = runFile(program, {"--compute", coefficientFile});
        if (so.status != 0 || co.status != 0) {
            std::fprintf(stderr, "--compute exited with %d and %d\n", so.status, co.status);
            return 1;
        }
        sheetIn.push_back(si), sheetOut.push_back(so.cpu), coefIn.push_back(ci), coefOut.push_back(co.cpu);
        sheetRatio.push_back(si / so.cpu);
        coefficientRatio.push_back(ci / co.cpu);
        allRatio.push_back((si + ci) / (so.cpu + co.cpu));
    }
    auto rate = [&](double s) { return cases / s / 1000.0; };
    std::printf("batch, %d cases each, %d rounds (thousands of cases per processor second, medians)\n", cases,
                rounds);
    std::printf("  %-26s in-process %8.1f   --compute %8.1f   batch / in-process %.2f\n", "sheet (h20 and r6)",
                rate(median(sheetIn)), rate(median(sheetOut)), median(sheetRatio));
    std::printf("  %-26s in-process %8.1f   --compute %8.1f   batch / in-process %.2f\n", "coefficient (all nine)",
                rate(median(coefIn)), rate(median(coefOut)), median(coefficientRatio));
    std::printf("  %-26s %54s %.2f   (target >= 0.33)\n", "both", "batch / in-process", median(allRatio));

    std::vector<double> startRatio;
    for (int r = 0; r < std::max(rounds * 4, 10); ++r) {
        const Run v = runFile(program, {"--version"});
        const Run c = runFile(program, {"--compute", oneLine});
        startRatio.push_back(c.seconds / v.seconds);
    }
    std::printf("start-up: --compute on one line / --version %.2f   (target <= 1.5)\n", median(startRatio));

    std::printf("(%zu)\n", sink % 10);

    std::remove(sheetFile.c_str());
    std::remove(coefficientFile.c_str());
    std::remove(oneLine.c_str());
    if (check) {
        // Bounds at twice the targets, so that a regression fails the suite, not a busy machine.
        const bool ok = median(allRatio) >= 1.0 / 6 && median(startRatio) <= 3.0 && growthMb <= 4.0;
        std::printf(ok ? "within twice the targets\n" : "FAIL: a figure is beyond twice its target\n");
        return ok ? 0 : 1;
    }
    return 0;
}
