// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "operations/EncryptOperation.h"

#include "cipher/EncryptedFileLayout.h"
#include "cipher/Fingerprint.h"
#include "operations/ImageWriter.h"
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

void produce(TextSink& file, WindowServices& window, const OperationState& state, LoadedText& text)
{
    ImageWriter image(file, state.pwdarg, state.pwdavg);
    forEveryPiece(window, text, [&](std::span<char> piece) { image.write(piece); });
    image.finish();
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
    return runOperation(window, state, table, TextDestination::chosenFile(), pieceSize);
}

} // namespace cindral
