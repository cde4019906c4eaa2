// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "operations/DecryptOperation.h"

#include "cipher/ImageBody.h"
#include "cipher/ShiftCipher.h"
#include "files/FileFailure.h"
#include "operations/OperationMessages.h"

namespace cindral {
namespace {

// The marker test needs the first character of the loaded text and nothing after it.
constexpr qsizetype markerTestPieceSize = 1;

// A body that passed the password check yet cannot be shifted back is damaged: an internal error,
// not the illegal characters of an encryption, whose number the shift's failure has.
void decryptBody(std::span<char> body, QByteArrayView password)
{
    try {
        cipher::decript(body, password);
    } catch (const Failure& failure) {
        throw Failure(FailureNumber::InternalError, failure.what());
    }
}

void writeDecrypted(TextSink& file, WindowServices& window, const OperationState& state,
                    LoadedText& text)
{
    forEveryDecryptedPart(window, text, state, [&](std::span<char> part) {
        file.write(QByteArrayView(part.data(), part.size()));
    });
}

} // namespace

Outcome runDecrypt(WindowServices& window, OperationState& state, qsizetype pieceSize)
{
    return guarded(window, state, messages::decryptFailures, [&] {
        std::optional<LoadedText> text = passDecryptChecks(
            window, state, pieceSize, OpenedFile::Purpose::Rewrite, Passwords::Typed);
        if (!text)
            return Outcome::Refused;
        saveNewText(
            *text, [&](TextSink& file) { writeDecrypted(file, window, state, *text); }, pieceSize);
        return succeed(window, messages::decrypted);
    });
}

Outcome runCat(WindowServices& window, OperationState& state, int output, qsizetype pieceSize)
{
    return guarded(window, state, messages::decryptFailures, [&] {
        std::optional<LoadedText> text = passDecryptChecks(
            window, state, pieceSize, OpenedFile::Purpose::Read, Passwords::Typed);
        if (!text)
            return Outcome::Refused;
        TextSink stream(TextSink::Kind::File, output);
        writeDecrypted(stream, window, state, *text);
        // It was the file's whole text only if nobody wrote into the file meanwhile; one saved
        // over it by a replacement leaves the text read whole.
        if (!text->file().isUnwritten())
            throw filefailure::changed();
        restore(window);
        return Outcome::Succeeded;
    });
}

// No password is asked for and the file is only read, no further than its first character.
std::optional<cipher::FileStatus> runStatus(WindowServices& window, OperationState& state)
{
    const Outcome outcome = guarded(window, state, messages::decryptFailures, [&] {
        state.cleanval();
        (void)openChosenFile(window, state, LineEnds::Join, markerTestPieceSize,
                             OpenedFile::Purpose::Read);
        restore(window);
        return Outcome::Succeeded;
    });
    return outcome == Outcome::Succeeded ? std::optional(state.status) : std::nullopt;
}

// The password check reads the end of the text, before any of it is decrypted. A wrong password
// shows its box while the pointer is still busy and leaves the focus in the password box, its
// whole text selected.
std::optional<LoadedText> passDecryptChecks(WindowServices& window, OperationState& state,
                                            qsizetype pieceSize, OpenedFile::Purpose purpose,
                                            Passwords passwords)
{
    window.setStageText(messages::checkingPassword.toString());
    state.cleanval();
    if (!inputsAccepted(window, messages::decryptShortPassword, passwords))
        return std::nullopt;
    LoadedText text = openChosenFile(window, state, LineEnds::Join, pieceSize, purpose);
    if (state.status == cipher::FileStatus::NotEncrypted) {
        refuse(window, messages::notEncrypted);
        return std::nullopt;
    }
    const cipher::PasswordCheck check =
        cipher::chkpwd(text.lastJoined(cipher::checkedTailLength), window.passwordText());
    state.verdict = check.verdict;
    state.digitcount = check.digitcount;
    if (state.verdict == cipher::Verdict::WrongPassword) {
        refuse(window, messages::wrongPassword);
        window.focusPassword();
        window.selectWholePassword();
        return std::nullopt;
    }
    window.setStageText(messages::decrypting.toString());
    state.pwdarg = window.passwordText();
    return text;
}

void forEveryDecryptedPart(WindowServices& window, LoadedText& text, const OperationState& state,
                           const std::function<void(std::span<char> part)>& step)
{
    cipher::ImageBody image(state.digitcount);
    forEveryPiece(window, text, [&](std::span<char> piece) {
        for (const std::span<char> body : image.remv(piece)) {
            decryptBody(body, state.pwdarg);
            step(body);
        }
    });
}

// The marker, then the body's first character, unless all that follows the marker is the
// trailer.
QByteArray decryptedStart(const LoadedText& text, const OperationState& state)
{
    const qsizetype throughFirst = 2 + state.digitcount;
    QByteArray start = text.firstJoined(throughFirst);
    if (start.size() < throughFirst)
        return {};
    start = start.sliced(1, 1);
    decryptBody(std::span(start.data(), 1), state.pwdarg);
    return start;
}

} // namespace cindral
