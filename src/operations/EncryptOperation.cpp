#include "operations/EncryptOperation.h"

#include "cipher/EncryptedImage.h"
#include "cipher/Failure.h"
#include "cipher/Fingerprint.h"
#include "cipher/ShiftCipher.h"
#include "operations/EncryptMessages.h"
#include "operations/OperationSteps.h"

#include <utility>

namespace cindral {
namespace {

namespace text = encrypt_messages;

const InputRefusals refusals{text::noPassword, text::noFile, text::shortPassword};

// Everything after the validations, up to and including the write over the file.
Outcome encryptChosenFile(WindowServices& window, OperationState& state)
{
    loadChosenFile(window, state, LineEnds::Append, text::gettingData);
    if (state.status == cipher::FileStatus::Encrypted) {
        text::alreadyEncrypted.showIn(window);
        restore(window);
        return Outcome::Refused;
    }

    window.setStageText(text::encrypting.toString());
    // The text is moved, never copied: a file may be as large as memory allows.
    state.textarg = std::move(state.filetext);
    state.pwdarg = window.passwordText();
    state.pwdavg = cipher::pwd(state.pwdarg);
    state.result = cipher::Encrypt(std::move(state.textarg), state.pwdarg);

    const cipher::EncryptedImage image(std::move(state.result), state.pwdavg);
    savetext(state.filename, image.pieces());

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

Outcome runEncrypt(WindowServices& window, OperationState& state)
{
    // The bar keeps whatever stage text it last showed until the file has been opened.
    window.pointerBusy();
    window.showStatusBar();
    return runOperation(
        window, state, refusals, [&] { return encryptChosenFile(window, state); },
        [&](FailureNumber number, const QString& reason) {
            return handleFailure(window, number, reason);
        });
}

} // namespace cindral
