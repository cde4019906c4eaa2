// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "operations/EncryptOperation.h"

#include "cipher/EncryptedFileLayout.h"
#include "cipher/Fingerprint.h"
#include "operations/OperationMessages.h"
#include "operations/OperationSteps.h"

namespace cindral {

// No opening stage: the bar keeps whatever stage text it last showed until the file has been
// opened.
Outcome runEncrypt(WindowServices& window, OperationState& state, qsizetype pieceSize)
{
    return guarded(window, state, messages::encryptFailures, [&] {
        state.cleanval();
        if (!inputsAccepted(window, messages::encryptShortPassword, Passwords::Typed))
            return Outcome::Refused;
        LoadedText text = openChosenFile(window, state, LineEnds::Append, pieceSize,
                                         OpenedFile::Purpose::Rewrite);
        if (state.status == cipher::FileStatus::Encrypted)
            return refuse(window, messages::alreadyEncrypted);
        window.setStageText(messages::encrypting.toString());
        state.pwdarg = window.passwordText();
        state.pwdavg = cipher::pwd(state.pwdarg);
        saveImage(text, state.pwdarg, state.pwdavg, pieceSize, [&](ImageWriter& image) {
            forEveryPiece(window, text, [&](std::span<char> piece) { image.write(piece); });
        });
        return succeed(window, messages::encrypted);
    });
}

void saveImage(const LoadedText& text, const QByteArray& password, int pwdavg, qsizetype pieceSize,
               const std::function<void(ImageWriter& image)>& writeText)
{
    saveNewText(
        text,
        [&](TextSink& file) {
            ImageWriter image(file, password, pwdavg);
            writeText(image);
            image.finish();
        },
        pieceSize);
}

} // namespace cindral
