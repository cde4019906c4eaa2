// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

// cindral-bench: runs the real Encrypt or Decrypt operation on one file, in place, in a child
// process, and prints the child's wall time and peak resident memory. The password is the first
// line of standard input. bench/operations-bench.sh drives it (bench/README.md).
//   cindral-bench [--piece-size BYTES|<n>K|<n>M] [--window|--held-window] encrypt|decrypt FILE
//                 <password-file
#include "ChildRun.h"
#include "HeadlessWindow.h"
#include "MainWindowRun.h"
#include "files/PieceSize.h"
#include "operations/DecryptOperation.h"
#include "operations/EncryptOperation.h"
#include "operations/OperationMessages.h"
#include "operations/OperationState.h"

#include <QByteArray>
#include <charconv>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

namespace {

// What the operation runs behind: a window of the benchmark's that shows nothing, or the
// program's main window, its event loop running or held.
enum class Front
{
    Headless,
    MainWindow,
    HeldMainWindow,
};

struct Options
{
    Operation operation = Operation::Encrypt;
    Front front = Front::Headless;
    QByteArray path;
    qsizetype pieceSize = cindral::defaultPieceSize;
};

constexpr qsizetype largestPiece = qsizetype{1} << 30;

// "65536", "64K" or "1M": bytes, kibibytes or mebibytes.
[[nodiscard]] std::optional<qsizetype> parsePieceSize(std::string_view text)
{
    qsizetype value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    const std::string_view unit(end, static_cast<size_t>(text.data() + text.size() - end));
    int shift = 0;
    if (unit == "K")
        shift = 10;
    else if (unit == "M")
        shift = 20;
    else if (!unit.empty())
        return std::nullopt;
    if (error != std::errc{} || value <= 0 || value > (largestPiece >> shift))
        return std::nullopt;
    return value << shift;
}

[[nodiscard]] std::optional<Options> parse(int argc, char** argv)
{
    Options options;
    int next = 1;
    for (; next < argc && std::string_view(argv[next]).starts_with("--"); ++next) {
        const std::string_view option = argv[next];
        if (option == "--window" || option == "--held-window") {
            options.front = option == "--window" ? Front::MainWindow : Front::HeldMainWindow;
            continue;
        }
        const std::optional<qsizetype> size = option == "--piece-size" && next + 1 < argc
                                                  ? parsePieceSize(argv[++next])
                                                  : std::nullopt;
        if (!size)
            return std::nullopt;
        options.pieceSize = *size;
    }
    if (argc != next + 2)
        return std::nullopt;
    const std::string_view operation = argv[next];
    if (operation == "decrypt")
        options.operation = Operation::Decrypt;
    else if (operation != "encrypt")
        return std::nullopt;
    options.path = argv[next + 1];
    return options;
}

// The first line of standard input without its line end, as bytes: the benchmark's password is
// plain ASCII, the same in Windows-1252.
[[nodiscard]] QByteArray readPassword()
{
    std::string line;
    std::getline(std::cin, line);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return QByteArray::fromStdString(line);
}

[[nodiscard]] const char* frontName(Front front)
{
    switch (front) {
    case Front::Headless:
        return "core";
    case Front::MainWindow:
        return "window";
    case Front::HeldMainWindow:
        return "held-window";
    }
    return "?";
}

// Runs in the child: succeeds only when the operation ends with its own success box alone.
[[nodiscard]] bool runHeadless(const Options& options, const QByteArray& password,
                               const StartClock& startClock)
{
    HeadlessWindow window(password, options.path);
    cindral::OperationState state;
    const bool encrypt = options.operation == Operation::Encrypt;
    startClock();
    const cindral::Outcome outcome = encrypt
                                         ? cindral::runEncrypt(window, state, options.pieceSize)
                                         : cindral::runDecrypt(window, state, options.pieceSize);
    const QStringView success =
        encrypt ? cindral::messages::encrypted.title : cindral::messages::decrypted.title;
    if (outcome == cindral::Outcome::Succeeded && window.showedOnly(success))
        return true;
    for (const HeadlessWindow::ShownBox& box : window.boxes())
        std::fprintf(stderr, "%s: %s\n", qPrintable(box.title), qPrintable(box.text));
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    const std::optional<Options> options = parse(argc, argv);
    if (!options) {
        std::fprintf(stderr,
                     "usage: %s [--piece-size BYTES|<n>K|<n>M] [--window|--held-window]"
                     " encrypt|decrypt FILE"
                     " <password-file\n",
                     argv[0]);
        return 2;
    }
    const QByteArray password = readPassword();
    const ChildRun run = runInChild([&](const StartClock& startClock, double& progressSeconds) {
        if (options->front == Front::Headless)
            return runHeadless(*options, password, startClock);
        const EventLoop loop =
            options->front == Front::MainWindow ? EventLoop::Runs : EventLoop::Held;
        return runThroughMainWindow(options->operation, loop, options->path, password,
                                    options->pieceSize, startClock, progressSeconds);
    });
    std::printf(
        "%s through=%s piece_bytes=%lld seconds=%.6f cpu_seconds=%.6f progress_seconds=%.6f "
        "peak_mib=%.2f\n",
        options->operation == Operation::Encrypt ? "encrypt" : "decrypt", frontName(options->front),
        static_cast<long long>(options->pieceSize), run.seconds, run.cpuSeconds, run.noted,
        run.peakMiB);
    return run.succeeded ? 0 : 1;
}
