// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "operations/EncryptOperation.h"

#include "cipher/EncryptedFileLayout.h"
#include "cipher/Fingerprint.h"
#include "cipher/ShiftCipher.h"
#include "operations/OperationFrame.h"
#include "operations/OperationMessages.h"

namespace cindral {
namespace {

const FailureBox failureBoxes[] = {
    {FailureNumber::IllegalCharacter, messages::illegalCharacters},
    {FailureNumber::FileError, messages::encryptFileError},
};

bool prepare(WindowServices& window, OperationState& state, const LoadedText&)
{
    window.setStageText(messages::encrypting.toString());
    state.pwdarg = window.passwordText();
    state.pwdavg = cipher::pwd(state.pwdarg);
    return true;
}

// The image is written as it is made: the marker, each piece of the text shifted, then the
// trailer.
void produce(TextSink& file, WindowServices& window, const OperationState& state, LoadedText& text)
{
    file.write(QByteArrayView(&cipher::marker, 1));
    forEveryPiece(window, text, [&](std::span<char> piece) {
        cipher::Encrypt(piece, state.pwdarg);
        file.write(QByteArrayView(piece.data(), piece.size()));
    });
    file.write(cipher::trailerOf(state.pwdavg));
}

// No opening stage: the bar keeps whatever stage text it last showed until the file has been
// opened.
const OperationTable table{
    .openingStage = {},
    .lineEnds = LineEnds::Append,
    .refusedStatus = cipher::FileStatus::Encrypted,
    .shortPassword = messages::encryptShortPassword,
    .refusedFile = messages::alreadyEncrypted,
    .succeeded = messages::encrypted,
    .failureBoxes = failureBoxes,
    .prepare = prepare,
    .produce = produce,
};

} // namespace

Outcome runEncrypt(WindowServices& window, OperationState& state, qsizetype pieceSize)
{
    return runOperation(window, state, table, pieceSize);
}

} // namespace cindral
