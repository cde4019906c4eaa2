// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "operations/OperationSteps.h"

#include "files/Savetext.h"
#include "operations/OperationMessages.h"
#include "text/Loadtext.h"

#include <QFile>
#include <algorithm>
#include <new>
#include <optional>

namespace cindral {
namespace {

constexpr qsizetype minimumPasswordLength = 5;

Outcome handleFailure(WindowServices& window, std::span<const FailureBox> failureBoxes,
                      FailureNumber number, const QString& reason)
{
    restore(window);
    const auto listed = std::ranges::find(failureBoxes, number, &FailureBox::number);
    const MessageBoxText& box = listed != failureBoxes.end() ? listed->box : messages::programError;
    box.showIn(window, reason);
    return Outcome::Failed;
}

// A new password (rekey) is refused as Encrypt refuses its password, but leaves the focus where
// it is.
[[nodiscard]] bool newPasswordAccepted(WindowServices& window)
{
    const qsizetype length = window.newPasswordText().size();
    if (length >= minimumPasswordLength)
        return true;
    restore(window);
    (length == 0 ? messages::noPassword : messages::encryptShortPassword).showIn(window);
    return false;
}

} // namespace

Outcome guarded(WindowServices& window, const OperationState& state,
                std::span<const FailureBox> failureBoxes, const std::function<Outcome()>& steps)
{
    window.pointerBusy();
    window.showStatusBar();
    try {
        return steps();
    } catch (const Failure& failure) {
        const Outcome outcome = handleFailure(window, failureBoxes, failure.number(),
                                              QString::fromUtf8(failure.what()));
        // A save that could not stand has kept its new text: the window says where.
        if (!failure.keptIn().empty())
            window.keptTexts({QFile::decodeName(state.filename) + QStringLiteral(": ") +
                              QString::fromUtf8(failure.what())});
        return outcome;
    } catch (const std::bad_alloc&) {
        return handleFailure(window, failureBoxes, FailureNumber::OutOfMemory,
                             QStringLiteral("out of memory"));
    } catch (const std::exception& unexpected) {
        return handleFailure(window, failureBoxes, FailureNumber::InternalError,
                             QString::fromUtf8(unexpected.what()));
    } catch (...) {
        return handleFailure(window, failureBoxes, FailureNumber::InternalError,
                             QStringLiteral("unknown failure"));
    }
}

// Password before file box before length, so the first thing missing is the one reported. The
// file box is tested only for being empty: blanks count as filled.
bool inputsAccepted(WindowServices& window, const MessageBoxText& shortPassword,
                    Passwords passwords)
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
    return passwords == Passwords::Typed || newPasswordAccepted(window);
}

// The loading text shows only once the file has been opened.
LoadedText openChosenFile(WindowServices& window, OperationState& state, LineEnds lineEnds,
                          qsizetype pieceSize, OpenedFile::Purpose purpose)
{
    state.filename = window.chosenFileName();
    LoadedText text = loadtext(
        state.filename, lineEnds, [&] { window.setStageText(messages::gettingData.toString()); },
        pieceSize, purpose);
    state.status = cipher::chkencrypted(QByteArrayView(text.piece().data(), text.piece().size()));
    return text;
}

Outcome refuse(WindowServices& window, const MessageBoxText& box)
{
    box.showIn(window);
    restore(window);
    return Outcome::Refused;
}

void saveNewText(const LoadedText& text, const std::function<void(TextSink&)>& produce,
                 qsizetype pieceSize)
{
    if (const std::optional<Failure> unwritable = text.file().whyUnwritable()) {
        TextSink discard(TextSink::Kind::Discard, -1);
        produce(discard);
        throw *unwritable;
    }
    savetext(text.file(), produce, pieceSize);
}

Outcome succeed(WindowServices& window, const MessageBoxText& box)
{
    restore(window);
    box.showIn(window);
    return Outcome::Succeeded;
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
