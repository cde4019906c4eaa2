// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "operations/RekeyOperation.h"

#include "cipher/EncryptedFileLayout.h"
#include "cipher/Fingerprint.h"
#include "cipher/ImageBody.h"
#include "cipher/ShiftCipher.h"
#include "operations/DecryptOperation.h"
#include "operations/ImageWriter.h"
#include "operations/OperationFrame.h"
#include "operations/OperationMessages.h"
#include "text/ReloadedText.h"

namespace cindral {
namespace {

// What can fail once the password has been checked is the new encryption and the save, which
// are Encrypt's.
const FailureBox failureBoxes[] = {
    {FailureNumber::IllegalCharacter, messages::illegalCharacters},
    {FailureNumber::FileError, messages::encryptFileError},
};

// Decrypt's password check, then the new password taken as Encrypt takes its password.
bool prepare(WindowServices& window, OperationState& state, const LoadedText& text)
{
    if (!prepareDecryption(window, state, text))
        return false;
    window.setStageText(messages::encrypting.toString());
    state.newpwdarg = window.newPasswordText();
    state.pwdavg = cipher::pwd(state.newpwdarg);
    return true;
}

// A body that cannot be shifted back is damaged, Decrypt's internal error, and not the new
// password's illegal characters, which share its failure number.
void decryptBody(std::span<char> body, QByteArrayView password)
{
    try {
        cipher::decript(body, password);
    } catch (const Failure& failure) {
        throw Failure(FailureNumber::InternalError, failure.what());
    }
}

// Decrypt's body, restored and reloaded a piece at a time, goes straight into Encrypt's image
// under the new password. The reloaded text meets Encrypt's marker test at its first piece.
void produce(TextSink& file, WindowServices& window, const OperationState& state, LoadedText& text)
{
    cipher::ImageBody body(state.digitcount);
    ReloadedText reloaded;
    ImageWriter image(file, state.newpwdarg, state.pwdavg);
    bool tested = false;
    const auto encrypt = [&](std::span<char> piece) {
        if (!tested && !piece.empty()) {
            tested = true;
            if (cipher::chkencrypted(QByteArrayView(piece.data(), piece.size())) ==
                cipher::FileStatus::Encrypted)
                throw Refusal{messages::alreadyEncrypted};
        }
        image.write(piece);
    };
    forEveryPiece(window, text, [&](std::span<char> piece) {
        for (const std::span<char> part : body.remv(piece)) {
            decryptBody(part, state.pwdarg);
            encrypt(reloaded.load(part));
        }
    });
    encrypt(reloaded.finish());
    image.finish();
}

// Decrypt's table, from the stage it opens with to its refusals up to the password check; then
// the new password as Encrypt takes its password, and Encrypt's failures.
const OperationTable& rekeyTable()
{
    static const OperationTable table = [] {
        OperationTable rekey = decryptTable();
        rekey.newShortPassword = &messages::encryptShortPassword;
        rekey.succeeded = messages::passwordChanged;
        rekey.failureBoxes = failureBoxes;
        rekey.prepare = prepare;
        rekey.produce = produce;
        return rekey;
    }();
    return table;
}

} // namespace

Outcome runRekey(WindowServices& window, OperationState& state, qsizetype pieceSize)
{
    return runOperation(window, state, rekeyTable(), TextDestination::chosenFile(), pieceSize);
}

} // namespace cindral
