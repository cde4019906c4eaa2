// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "operations/OperationFrame.h"

#include "operations/OperationMessages.h"
#include "operations/TextFile.h"

#include <algorithm>
#include <new>

namespace cindral {
namespace {

constexpr qsizetype minimumPasswordLength = 5;

// Password before file box before length, so the first thing missing is the one reported. The
// file box is tested only for being empty: blanks count as filled.
[[nodiscard]] bool inputsAccepted(WindowServices& window, const MessageBoxText& shortPassword)
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
        shortPassword.showIn(window);
        window.focusPassword();
        window.selectWholePassword();
        return false;
    }
    return true;
}

// Opens the file chosen in the dialog and tests its text for the marker. The loading text shows
// only once the file has been opened.
[[nodiscard]] LoadedText loadChosenFile(WindowServices& window, OperationState& state,
                                        LineEnds lineEnds, qsizetype pieceSize)
{
    state.filename = window.chosenFileName();
    LoadedText text = loadtext(
        state.filename, lineEnds, [&] { window.setStageText(messages::gettingData.toString()); },
        pieceSize);
    state.status = cipher::chkencrypted(QByteArrayView(text.piece().data(), text.piece().size()));
    return text;
}

// Makes the content of the file the text was read from what `produce` writes.
void saveChosenFile(const LoadedText& text, const std::function<void(TextSink&)>& produce,
                    qsizetype pieceSize)
{
    savetext(text.file(), produce, pieceSize);
}

[[nodiscard]] Outcome runSteps(WindowServices& window, OperationState& state,
                               const OperationTable& table, qsizetype pieceSize)
{
    state.cleanval();
    if (!inputsAccepted(window, table.shortPassword))
        return Outcome::Refused;
    LoadedText text = loadChosenFile(window, state, table.lineEnds, pieceSize);
    if (state.status == table.refusedStatus) {
        table.refusedFile.showIn(window);
        restore(window);
        return Outcome::Refused;
    }
    if (!table.prepare(window, state, text))
        return Outcome::Refused;
    saveChosenFile(
        text, [&](TextSink& file) { table.produce(file, window, state, text); }, pieceSize);
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

} // namespace

Outcome runOperation(WindowServices& window, OperationState& state, const OperationTable& table,
                     qsizetype pieceSize)
{
    window.pointerBusy();
    window.showStatusBar();
    if (!table.openingStage.isEmpty())
        window.setStageText(table.openingStage.toString());
    try {
        return runSteps(window, state, table, pieceSize);
    } catch (const Failure& failure) {
        return handleFailure(window, table, failure.number(), QString::fromUtf8(failure.what()));
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
