// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "operations/RekeyOperation.h"

#include "cipher/EncryptedFileLayout.h"
#include "cipher/Fingerprint.h"
#include "operations/DecryptOperation.h"
#include "operations/EncryptOperation.h"
#include "operations/OperationMessages.h"
#include "operations/OperationSteps.h"
#include "text/ReloadedText.h"

namespace cindral {

// Decrypt's checks, then Encrypt's stage, new password and save, with Encrypt's failure boxes:
// once the password has been checked, what can fail is the new encryption and the save. Encrypt's
// marker test is made on the text it would load from the file Decrypt saves, which begins as the
// decrypted text does (loading changes only line ends), before anything is saved.
Outcome runRekey(WindowServices& window, OperationState& state, qsizetype pieceSize)
{
    return guarded(window, state, messages::encryptFailures, [&] {
        std::optional<LoadedText> text = passDecryptChecks(
            window, state, pieceSize, OpenedFile::Purpose::Rewrite, Passwords::TypedAndNew);
        if (!text)
            return Outcome::Refused;
        window.setStageText(messages::encrypting.toString());
        state.newpwdarg = window.newPasswordText();
        state.pwdavg = cipher::pwd(state.newpwdarg);
        if (cipher::chkencrypted(decryptedStart(*text, state)) == cipher::FileStatus::Encrypted)
            return refuse(window, messages::alreadyEncrypted);
        saveImage(*text, state.newpwdarg, state.pwdavg, pieceSize, [&](ImageWriter& image) {
            ReloadedText reloaded;
            forEveryDecryptedPart(window, *text, state,
                                  [&](std::span<char> part) { image.write(reloaded.load(part)); });
            image.write(reloaded.finish());
        });
        return succeed(window, messages::passwordChanged);
    });
}

} // namespace cindral
