// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "operations/DecryptOperation.h"

#include "cipher/EncryptedImage.h"
#include "cipher/Failure.h"
#include "cipher/ImageBody.h"
#include "cipher/ShiftCipher.h"
#include "operations/DecryptMessages.h"
#include "operations/OperationSteps.h"
#include "operations/TextFile.h"

#include <span>

namespace cindral {
namespace {

namespace text = decrypt_messages;

const InputRefusals refusals{text::noPassword, text::noFile, text::shortPassword};

// The password check, on the end of the text before any of it is decrypted; on a wrong password
// the box is shown while the pointer is still busy.
[[nodiscard]] bool passwordMatches(WindowServices& window, OperationState& state,
                                   const LoadedText& text)
{
    const cipher::PasswordCheck check =
        cipher::chkpwd(text.lastJoined(cipher::checkedTailLength), window.passwordText());
    state.verdict = check.verdict;
    state.digitcount = check.digitcount;
    if (state.verdict == cipher::Verdict::WrongPassword) {
        text::wrongPassword.showIn(window);
        return false;
    }
    return true;
}

// Everything after the validations, up to and including the write over the file. The body is
// written as it is shifted back, piece by piece, without the marker and the trailer.
Outcome decryptChosenFile(WindowServices& window, OperationState& state, qsizetype pieceSize)
{
    LoadedText text = loadChosenFile(window, state, LineEnds::Join, text::gettingData, pieceSize);
    if (state.status == cipher::FileStatus::NotEncrypted) {
        text::notEncrypted.showIn(window);
        restore(window);
        return Outcome::Refused;
    }

    if (!passwordMatches(window, state, text)) {
        restore(window);
        window.focusPassword();
        window.selectWholePassword();
        return Outcome::Refused;
    }

    window.setStageText(text::decrypting.toString());
    state.pwdarg = window.passwordText();
    savetext(
        text.file(),
        [&](TextSink& file) {
            cipher::ImageBody image(state.digitcount);
            forEveryPiece(window, text, [&](std::span<char> piece) {
                for (const std::span<char> body : image.remv(piece)) {
                    cipher::decript(body, state.pwdarg);
                    file.write(QByteArrayView(body.data(), body.size()));
                }
            });
        },
        pieceSize);

    restore(window);
    text::decrypted.showIn(window);
    return Outcome::Succeeded;
}

// Failure 5 has no box of its own here: a file that passed the password check yet cannot be
// shifted back is an internal error to the user.
Outcome handleFailure(WindowServices& window, FailureNumber number, const QString& reason)
{
    restore(window);
    if (number == FailureNumber::FileError) {
        text::fileError.showIn(window, reason);
    } else {
        text::programError.showIn(window, reason);
    }
    return Outcome::Failed;
}

} // namespace

Outcome runDecrypt(WindowServices& window, OperationState& state, qsizetype pieceSize)
{
    window.pointerBusy();
    window.showStatusBar();
    window.setStageText(text::checkingPassword.toString());
    return runOperation(
        window, state, refusals, [&] { return decryptChosenFile(window, state, pieceSize); },
        [&](FailureNumber number, const QString& reason) {
            return handleFailure(window, number, reason);
        });
}

} // namespace cindral
