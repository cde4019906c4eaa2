// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "operations/EncryptOperation.h"

#include "cipher/EncryptedImage.h"
#include "cipher/Failure.h"
#include "cipher/Fingerprint.h"
#include "cipher/ShiftCipher.h"
#include "operations/EncryptMessages.h"
#include "operations/OperationSteps.h"
#include "operations/TextFile.h"

#include <span>

namespace cindral {
namespace {

namespace text = encrypt_messages;

const InputRefusals refusals{text::noPassword, text::noFile, text::shortPassword};

// Everything after the validations, up to and including the write over the file. The image is
// written as it is made: the marker, each piece of the text shifted, then the trailer.
Outcome encryptChosenFile(WindowServices& window, OperationState& state, qsizetype pieceSize)
{
    LoadedText text = loadChosenFile(window, state, LineEnds::Append, text::gettingData, pieceSize);
    if (state.status == cipher::FileStatus::Encrypted) {
        text::alreadyEncrypted.showIn(window);
        restore(window);
        return Outcome::Refused;
    }

    window.setStageText(text::encrypting.toString());
    state.pwdarg = window.passwordText();
    state.pwdavg = cipher::pwd(state.pwdarg);
    savetext(
        text.file(),
        [&](TextSink& file) {
            file.write(QByteArrayView(&cipher::marker, 1));
            forEveryPiece(window, text, [&](std::span<char> piece) {
                cipher::Encrypt(piece, state.pwdarg);
                file.write(QByteArrayView(piece.data(), piece.size()));
            });
            file.write(cipher::trailerOf(state.pwdavg));
        },
        pieceSize);

    restore(window);
    text::encrypted.showIn(window);
    return Outcome::Succeeded;
}

Outcome handleFailure(WindowServices& window, FailureNumber number, const QString& reason)
{
    restore(window);
    switch (number) {
    case FailureNumber::IllegalCharacter:
        text::illegalCharacters.showIn(window, reason);
        break;
    case FailureNumber::FileError:
        text::fileError.showIn(window, reason);
        break;
    default:
        text::programError.showIn(window, reason);
        break;
    }
    return Outcome::Failed;
}

} // namespace

Outcome runEncrypt(WindowServices& window, OperationState& state, qsizetype pieceSize)
{
    // The bar keeps whatever stage text it last showed until the file has been opened.
    window.pointerBusy();
    window.showStatusBar();
    return runOperation(
        window, state, refusals, [&] { return encryptChosenFile(window, state, pieceSize); },
        [&](FailureNumber number, const QString& reason) {
            return handleFailure(window, number, reason);
        });
}

} // namespace cindral
