#include "operations/DecryptOperation.h"

#include "cipher/EncryptedImage.h"
#include "cipher/Failure.h"
#include "cipher/ShiftCipher.h"
#include "operations/DecryptMessages.h"
#include "operations/OperationSteps.h"

#include <array>
#include <utility>

namespace cindral {
namespace {

namespace text = decrypt_messages;

const InputRefusals refusals{text::noPassword, text::noFile, text::shortPassword};

// The password check; on a wrong password the box is shown while the pointer is still busy.
[[nodiscard]] bool passwordMatches(WindowServices& window, OperationState& state)
{
    const cipher::PasswordCheck check = cipher::chkpwd(state.filetext, window.passwordText());
    state.verdict = check.verdict;
    state.digitcount = check.digitcount;
    if (state.verdict == cipher::Verdict::WrongPassword) {
        text::wrongPassword.showIn(window);
        return false;
    }
    return true;
}

// Everything after the validations, up to and including the write over the file.
Outcome decryptChosenFile(WindowServices& window, OperationState& state)
{
    loadChosenFile(window, state, LineEnds::Join, text::gettingData);
    if (state.status == cipher::FileStatus::NotEncrypted) {
        text::notEncrypted.showIn(window);
        restore(window);
        return Outcome::Refused;
    }

    if (!passwordMatches(window, state)) {
        restore(window);
        window.focusPassword();
        window.selectWholePassword();
        return Outcome::Refused;
    }

    window.setStageText(text::decrypting.toString());
    // The stripped text is moved, never copied: a file may be as large as memory allows.
    state.textarg = std::move(state.filetext);
    state.pwdarg = window.passwordText();
    state.result = cipher::decript(std::move(state.textarg), state.pwdarg);
    const std::array<QByteArrayView, 1> pieces{state.result};
    savetext(state.filename, pieces);

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

Outcome runDecrypt(WindowServices& window, OperationState& state)
{
    window.pointerBusy();
    window.showStatusBar();
    window.setStageText(text::checkingPassword.toString());
    return runOperation(
        window, state, refusals, [&] { return decryptChosenFile(window, state); },
        [&](FailureNumber number, const QString& reason) {
            return handleFailure(window, number, reason);
        });
}

} // namespace cindral
