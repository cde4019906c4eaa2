// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cipher/Failure.h"
#include "operations/MessageBoxText.h"
#include "operations/OperationState.h"
#include "operations/Outcome.h"
#include "operations/TextFile.h"
#include "operations/WindowServices.h"

#include <new>

// The steps the Encrypt and Decrypt operations share: the restore, the validation of the two
// boxes and the guard that turns whatever a step throws into a failure number.
namespace cindral {

inline constexpr qsizetype minimumPasswordLength = 5;

// The pointer back to normal and the status bar hidden: the state of the window on every exit.
inline void restore(WindowServices& window)
{
    window.pointerNormal();
    window.hideStatusBar();
}

// The refusals of the validation; only the short-password wording differs per operation.
struct InputRefusals
{
    const MessageBoxText& noPassword;
    const MessageBoxText& noFile;
    const MessageBoxText& shortPassword;
};

// Password before file box before length, so the first thing missing is the one reported. The
// file box is tested only for being empty: blanks count as filled.
[[nodiscard]] inline bool inputsAccepted(WindowServices& window, const InputRefusals& refusals)
{
    const qsizetype passwordLength = window.passwordText().size();
    if (passwordLength == 0) {
        restore(window);
        refusals.noPassword.showIn(window);
        window.focusPassword();
        return false;
    }
    if (window.fileBoxText().isEmpty()) {
        restore(window);
        refusals.noFile.showIn(window);
        return false;
    }
    if (passwordLength < minimumPasswordLength) {
        restore(window);
        refusals.shortPassword.showIn(window);
        window.focusPassword();
        window.selectWholePassword();
        return false;
    }
    return true;
}

// Opens the file chosen in the dialog and tests its text for the marker. The loading text shows
// only once the file has been opened.
[[nodiscard]] inline LoadedText loadChosenFile(WindowServices& window, OperationState& state,
                                               LineEnds lineEnds, QStringView loadingText,
                                               qsizetype pieceSize)
{
    state.filename = window.chosenFileName();
    LoadedText text = loadtext(
        state.filename, lineEnds, [&] { window.setStageText(loadingText.toString()); }, pieceSize);
    state.status = cipher::chkencrypted(QByteArrayView(text.piece().data(), text.piece().size()));
    return text;
}

// Hands every piece of `text` to `step`, telling the window how far the file has been read.
template <typename Step> void forEveryPiece(WindowServices& window, LoadedText& text, Step&& step)
{
    for (; !text.atEnd(); text.advance()) {
        step(text.piece());
        window.progress(text.bytesRead(), text.fileSize());
    }
}

// The frame of an operation: reset, validation, then `work` on the chosen file. A failure
// anywhere stops it and goes to `handler` with its number and reason.
template <typename Work, typename Handler>
[[nodiscard]] Outcome runOperation(WindowServices& window, OperationState& state,
                                   const InputRefusals& refusals, Work&& work, Handler&& handler)
{
    try {
        state.cleanval();
        if (!inputsAccepted(window, refusals))
            return Outcome::Refused;
        return work();
    } catch (const Failure& failure) {
        return handler(failure.number(), QString::fromUtf8(failure.what()));
    } catch (const std::bad_alloc&) {
        return handler(FailureNumber::OutOfMemory, QStringLiteral("out of memory"));
    } catch (const std::exception& unexpected) {
        return handler(FailureNumber::InternalError, QString::fromUtf8(unexpected.what()));
    } catch (...) {
        return handler(FailureNumber::InternalError, QStringLiteral("unknown failure"));
    }
}

} // namespace cindral
