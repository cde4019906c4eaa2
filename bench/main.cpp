// cindral-bench: times the core's encryption and decryption of a large text file against cp,
// and reports their peak memory. Not a test. Build it optimised and run it (bench/README.md):
//   cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG"
//   cmake --build build/bench -j2 --target cindral-bench
//   build/bench/bench/cindral-bench [--size MiB] [--runs N] [--dir folder]
#include "BenchText.h"
#include "ChildRun.h"
#include "CoreOperations.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// Third character 'n' and ten characters: a shift of 120, so printable text stays below 256
// and no enciphered byte is a digit.
const QByteArray password = "Bench#2024";

struct Options
{
    qint64 sizeMiB = 256;
    int runs = 5;
    QString folder = QDir::tempPath();
};

struct Samples
{
    std::vector<double> seconds;
    double peakMiB = 0;
    bool failed = false;

    void add(const ChildRun& run)
    {
        seconds.push_back(run.seconds);
        peakMiB = std::max(peakMiB, run.peakMiB);
        failed = failed || !run.succeeded;
    }
    [[nodiscard]] double best() const { return *std::min_element(seconds.begin(), seconds.end()); }
    [[nodiscard]] double median() const
    {
        std::vector<double> sorted = seconds;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    }
};

struct Results
{
    Samples cp;
    Samples cpSync;
    Samples encrypt;
    Samples decrypt;
};

bool parse(int argc, char** argv, Options& options)
try {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        if (name == "--size")
            options.sizeMiB = std::stoll(argv[i + 1]);
        else if (name == "--runs")
            options.runs = std::stoi(argv[i + 1]);
        else if (name == "--dir")
            options.folder = QString::fromLocal8Bit(argv[i + 1]);
        else
            return false;
    }
    return argc % 2 == 1 && options.sizeMiB > 0 && options.runs > 0;
} catch (const std::logic_error&) { // not a number, or out of range
    return false;
}

std::string native(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

// Each step starts with nothing left to write back from the one before.
ChildRun afterSync(const std::function<ChildRun()>& step)
{
    ::sync();
    return step();
}

// cp writes over an existing copy, as savetext replaces an existing file: both pay for letting
// the old content go. The operations work on a fresh copy, made outside the timing.
void runOnce(const QString& original, const QString& copy, const QString& work, Results& results)
{
    results.cp.add(afterSync([&] {
        return runProgram({"/bin/cp", "--", native(original), native(copy)});
    }));
    results.cpSync.add(afterSync([&] {
        return runProgram({"/bin/sh", "-c", "cp -- \"$1\" \"$2\" && sync -- \"$2\"", "sh",
                           native(original), native(copy)});
    }));
    QFile::remove(work);
    if (!QFile::copy(original, work)) {
        std::printf("  cannot copy the text to work on\n");
        results.encrypt.failed = true;
        return;
    }
    std::printf("  encrypt\n");
    results.encrypt.add(
        afterSync([&] { return runInChild([&] { return encryptFile(work, password); }); }));
    std::printf("  decrypt\n");
    results.decrypt.add(
        afterSync([&] { return runInChild([&] { return decryptFile(work, password); }); }));
    if (!sameContent(original, work)) {
        std::printf("  the decrypted file differs from the original\n");
        results.decrypt.failed = true;
    }
}

void reportBaseline(const char* name, const Samples& samples)
{
    std::printf("%-30s %7.3f s %7.3f s%s\n", name, samples.best(), samples.median(),
                samples.failed ? "  FAILED" : "");
}

void reportOperation(const char* name, const Samples& samples, const Results& results)
{
    if (samples.seconds.empty()) {
        std::printf("%-30s not run  FAILED\n", name);
        return;
    }
    std::printf("%-30s %7.3f s %7.3f s  %6.2fx  %6.2fx  %8.1f MiB%s\n", name, samples.best(),
                samples.median(), samples.best() / results.cp.best(),
                samples.best() / results.cpSync.best(), samples.peakMiB,
                samples.failed ? "  FAILED" : "");
}

bool judge(const Results& results, qint64 sizeMiB)
{
    const double memoryLimit = 1.2 * static_cast<double>(sizeMiB) + 32;
    const double timeLimit = 1.3 * results.cpSync.best();
    bool met = true;
    for (const Samples* operation : {&results.encrypt, &results.decrypt})
        met = met && !operation->failed && !operation->seconds.empty() &&
              operation->best() <= timeLimit && operation->peakMiB <= memoryLimit;
    std::printf("\ntargets: time <= 1.3 x (cp + sync of the copy) = %.3f s, since savetext syncs"
                " and cp alone does not;\n         peak memory <= 1.2 x file + 32 MiB = %.1f MiB"
                "\nverdict: %s\n",
                timeLimit, memoryLimit, met ? "targets met" : "targets MISSED");
    return met;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parse(argc, argv, options)) {
        std::fprintf(stderr, "usage: %s [--size MiB] [--runs N] [--dir folder]\n", argv[0]);
        return 2;
    }
    QTemporaryDir scratch(options.folder + "/cindral-bench-XXXXXX");
    if (!scratch.isValid()) {
        std::fprintf(stderr, "cannot make a folder in %s\n", native(options.folder).c_str());
        return 2;
    }
    const QString original = scratch.filePath("original.txt");
    const QString copy = scratch.filePath("copy.txt");
    const QString work = scratch.filePath("work.txt");
    if (!writePlainText(original, options.sizeMiB << 20) || !QFile::copy(original, copy))
        return 2;
    std::printf("%lld MiB of CR LF lines in %s, %d runs; ratios of the best times\n",
                static_cast<long long>(options.sizeMiB), native(scratch.path()).c_str(),
                options.runs);
    Results results;
    for (int run = 1; run <= options.runs; ++run) {
        std::printf("run %d\n", run);
        runOnce(original, copy, work, results);
    }
    std::printf("\n%-30s %9s %9s  %7s  %7s  %12s\n", "", "best", "median", "/ cp", "/ cp+sync",
                "peak memory");
    reportBaseline("cp", results.cp);
    reportBaseline("cp + sync of the copy", results.cpSync);
    reportOperation("load + encrypt + save", results.encrypt, results);
    reportOperation("load + check + decrypt + save", results.decrypt, results);
    return judge(results, options.sizeMiB) ? 0 : 1;
}
