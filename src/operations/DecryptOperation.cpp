// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "operations/DecryptOperation.h"

#include "cipher/EncryptedFileLayout.h"
#include "cipher/ImageBody.h"
#include "cipher/ShiftCipher.h"
#include "operations/OperationFrame.h"
#include "operations/OperationMessages.h"

namespace cindral {
namespace {

// Failure 5 has no box of its own here: a file that passed the password check yet cannot be
// shifted back is an internal error to the user.
const FailureBox failureBoxes[] = {
    {FailureNumber::FileError, messages::decryptFileError},
};

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
        messages::wrongPassword.showIn(window);
        return false;
    }
    return true;
}

// The body is written as it is shifted back, piece by piece, without the marker and the trailer.
void produce(TextSink& file, WindowServices& window, const OperationState& state, LoadedText& text)
{
    cipher::ImageBody image(state.digitcount);
    forEveryPiece(window, text, [&](std::span<char> piece) {
        for (const std::span<char> body : image.remv(piece)) {
            cipher::decript(body, state.pwdarg);
            file.write(QByteArrayView(body.data(), body.size()));
        }
    });
}

const OperationTable table{
    .openingStage = messages::checkingPassword,
    .lineEnds = LineEnds::Join,
    .refusedStatus = cipher::FileStatus::NotEncrypted,
    .shortPassword = messages::decryptShortPassword,
    .refusedFile = messages::notEncrypted,
    .succeeded = messages::decrypted,
    .failureBoxes = failureBoxes,
    .prepare = prepareDecryption,
    .produce = produce,
};

} // namespace

// A wrong password leaves the focus in the password box, its whole text selected.
bool prepareDecryption(WindowServices& window, OperationState& state, const LoadedText& text)
{
    if (!passwordMatches(window, state, text)) {
        restore(window);
        window.focusPassword();
        window.selectWholePassword();
        return false;
    }
    window.setStageText(messages::decrypting.toString());
    state.pwdarg = window.passwordText();
    return true;
}

const OperationTable& decryptTable()
{
    return table;
}

Outcome runDecrypt(WindowServices& window, OperationState& state, qsizetype pieceSize)
{
    return runOperation(window, state, table, TextDestination::chosenFile(), pieceSize);
}

// Decrypt's own table: cat differs from it only in where the text goes.
Outcome runCat(WindowServices& window, OperationState& state, int output, qsizetype pieceSize)
{
    return runOperation(window, state, table, TextDestination::stream(output), pieceSize);
}

std::optional<cipher::FileStatus> runStatus(WindowServices& window, OperationState& state)
{
    return runMarkerTest(window, state, table);
}

} // namespace cindral
