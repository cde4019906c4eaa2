// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "operations/OperationFrame.h"

#include "files/FileFailure.h"
#include "files/Savetext.h"
#include "operations/OperationMessages.h"
#include "text/Loadtext.h"

#include <QFile>
#include <algorithm>
#include <new>

namespace cindral {
namespace {

using Producer = std::function<void(TextSink&)>;

constexpr qsizetype minimumPasswordLength = 5;
// The marker test needs the first character of the loaded text and nothing after it.
constexpr qsizetype markerTestPieceSize = 1;

// A new password (rekey) is refused as Encrypt refuses its password.
[[nodiscard]] bool newPasswordAccepted(WindowServices& window, const MessageBoxText& shortPassword)
{
    const qsizetype length = window.newPasswordText().size();
    if (length >= minimumPasswordLength)
        return true;
    restore(window);
    (length == 0 ? messages::noPassword : shortPassword).showIn(window);
    return false;
}

// Password before file box before length, so the first thing missing is the one reported. The
// file box is tested only for being empty: blanks count as filled.
[[nodiscard]] bool inputsAccepted(WindowServices& window, const OperationTable& table)
{
    const qsizetype passwordLength = window.passwordText().size();
    if (passwordLength == 0) {
        restore(window);
        messages::noPassword.showIn(window);
        window.focusPassword();
        return false;
    }
    if (window.fileBoxText().isEmpty()) {
        restore(window);
        messages::noFile.showIn(window);
        return false;
    }
    if (passwordLength < minimumPasswordLength) {
        restore(window);
        table.shortPassword.showIn(window);
        window.focusPassword();
        window.selectWholePassword();
        return false;
    }
    return table.newShortPassword == nullptr ||
           newPasswordAccepted(window, *table.newShortPassword);
}

// Opens the file chosen in the dialog and tests its text for the marker. The loading text shows
// only once the file has been opened.
[[nodiscard]] LoadedText loadChosenFile(WindowServices& window, OperationState& state,
                                        LineEnds lineEnds, qsizetype pieceSize,
                                        OpenedFile::Purpose purpose)
{
    state.filename = window.chosenFileName();
    LoadedText text = loadtext(
        state.filename, lineEnds, [&] { window.setStageText(messages::gettingData.toString()); },
        pieceSize, purpose);
    state.status = cipher::chkencrypted(QByteArrayView(text.piece().data(), text.piece().size()));
    return text;
}

// The text goes out as it is made. It was the file's whole text only if nobody wrote into the
// file meanwhile; one saved over it by a replacement leaves the text read whole.
void showText(const LoadedText& text, int stream, const Producer& produce)
{
    TextSink sink(TextSink::Kind::File, stream);
    produce(sink);
    if (!text.file().isUnwritten())
        throw filefailure::changed();
}

// A file that cannot be written still has its new text made first, kept nowhere: a failure on
// the way there (a character that cannot be encrypted) is the one to report.
void saveNewText(const LoadedText& text, const Producer& produce, qsizetype pieceSize)
{
    if (const std::optional<Failure> unwritable = text.file().whyUnwritable()) {
        TextSink discard(TextSink::Kind::Discard, -1);
        produce(discard);
        throw *unwritable;
    }
    savetext(text.file(), produce, pieceSize);
}

[[nodiscard]] Outcome runSteps(WindowServices& window, OperationState& state,
                               const OperationTable& table, TextDestination destination,
                               qsizetype pieceSize)
{
    if (!table.openingStage.isEmpty())
        window.setStageText(table.openingStage.toString());
    state.cleanval();
    if (!inputsAccepted(window, table))
        return Outcome::Refused;
    LoadedText text = loadChosenFile(window, state, table.lineEnds, pieceSize,
                                     destination.isChosenFile() ? OpenedFile::Purpose::Rewrite
                                                                : OpenedFile::Purpose::Read);
    if (state.status == table.refusedStatus) {
        table.refusedFile.showIn(window);
        restore(window);
        return Outcome::Refused;
    }
    if (!table.prepare(window, state, text))
        return Outcome::Refused;
    const Producer produce = [&](TextSink& sink) { table.produce(sink, window, state, text); };
    if (!destination.isChosenFile()) {
        showText(text, destination.streamFd(), produce);
        restore(window);
        return Outcome::Succeeded;
    }
    saveNewText(text, produce, pieceSize);
    restore(window);
    table.succeeded.showIn(window);
    return Outcome::Succeeded;
}

Outcome handleFailure(WindowServices& window, const OperationTable& table, FailureNumber number,
                      const QString& reason)
{
    restore(window);
    const auto listed = std::ranges::find(table.failureBoxes, number, &FailureBox::number);
    const MessageBoxText& box =
        listed != table.failureBoxes.end() ? listed->box : messages::programError;
    box.showIn(window, reason);
    return Outcome::Failed;
}

// Runs `steps` with the pointer busy and the status bar shown; whatever they throw ends the
// operation with its box.
template <typename Steps>
[[nodiscard]] Outcome guarded(WindowServices& window, const OperationState& state,
                              const OperationTable& table, Steps steps)
{
    window.pointerBusy();
    window.showStatusBar();
    try {
        return steps();
    } catch (const Refusal& refusal) {
        refusal.box.showIn(window);
        restore(window);
        return Outcome::Refused;
    } catch (const Failure& failure) {
        const Outcome outcome =
            handleFailure(window, table, failure.number(), QString::fromUtf8(failure.what()));
        // A save that could not stand has kept its new text: the window says where.
        if (!failure.keptIn().empty())
            window.keptTexts({QFile::decodeName(state.filename) + QStringLiteral(": ") +
                              QString::fromUtf8(failure.what())});
        return outcome;
    } catch (const std::bad_alloc&) {
        return handleFailure(window, table, FailureNumber::OutOfMemory,
                             QStringLiteral("out of memory"));
    } catch (const std::exception& unexpected) {
        return handleFailure(window, table, FailureNumber::InternalError,
                             QString::fromUtf8(unexpected.what()));
    } catch (...) {
        return handleFailure(window, table, FailureNumber::InternalError,
                             QStringLiteral("unknown failure"));
    }
}

} // namespace

Outcome runOperation(WindowServices& window, OperationState& state, const OperationTable& table,
                     TextDestination destination, qsizetype pieceSize)
{
    return guarded(window, state, table,
                   [&] { return runSteps(window, state, table, destination, pieceSize); });
}

std::optional<cipher::FileStatus> runMarkerTest(WindowServices& window, OperationState& state,
                                                const OperationTable& table)
{
    const Outcome outcome = guarded(window, state, table, [&] {
        state.cleanval();
        (void)loadChosenFile(window, state, table.lineEnds, markerTestPieceSize,
                             OpenedFile::Purpose::Read);
        restore(window);
        return Outcome::Succeeded;
    });
    return outcome == Outcome::Succeeded ? std::optional(state.status) : std::nullopt;
}

void restore(WindowServices& window)
{
    window.pointerNormal();
    window.hideStatusBar();
}

void forEveryPiece(WindowServices& window, LoadedText& text,
                   const std::function<void(std::span<char> piece)>& step)
{
    for (; !text.atEnd(); text.advance()) {
        step(text.piece());
        window.progress(text.bytesRead(), text.fileSize());
    }
}

} // namespace cindral
