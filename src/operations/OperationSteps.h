#pragma once

#include "cipher/Failure.h"
#include "operations/MessageBoxText.h"
#include "operations/Outcome.h"
#include "operations/WindowServices.h"

#include <new>

// The steps the Encrypt and Decrypt operations share: the restore, the validation of the two
// boxes and the guard that turns whatever a step throws into a failure number.
namespace cindral {

inline constexpr qsizetype minimumPasswordLength = 5;

// The pointer back to normal and the status bar hidden: the state of the window on every exit.
inline void restore(WindowServices& window)
{
    window.pointerNormal();
    window.hideStatusBar();
}

// The refusals of the validation; only the short-password wording differs per operation.
struct InputRefusals
{
    const MessageBoxText& noPassword;
    const MessageBoxText& noFile;
    const MessageBoxText& shortPassword;
};

// Password before file box before length, so the first thing missing is the one reported. The
// file box is tested only for being empty: blanks count as filled.
[[nodiscard]] inline bool inputsAccepted(WindowServices& window, const InputRefusals& refusals)
{
    const qsizetype passwordLength = window.passwordText().size();
    if (passwordLength == 0) {
        restore(window);
        refusals.noPassword.showIn(window);
        window.focusPassword();
        return false;
    }
    if (window.fileBoxText().isEmpty()) {
        restore(window);
        refusals.noFile.showIn(window);
        return false;
    }
    if (passwordLength < minimumPasswordLength) {
        restore(window);
        refusals.shortPassword.showIn(window);
        window.focusPassword();
        window.selectWholePassword();
        return false;
    }
    return true;
}

// Runs `steps`; a failure they raise stops them and goes to `handler` by its number.
template <typename Steps, typename Handler>
[[nodiscard]] Outcome runGuarded(Steps&& steps, Handler&& handler)
{
    try {
        return steps();
    } catch (const Failure& failure) {
        return handler(failure.number());
    } catch (const std::bad_alloc&) {
        return handler(FailureNumber::OutOfMemory);
    } catch (...) {
        return handler(FailureNumber::InternalError);
    }
}

} // namespace cindral
