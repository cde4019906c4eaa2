// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace cindral {

enum class MessageIcon : int
{
    Critical = 16,
    Exclamation = 48,
    Information = 64,
};

// What an operation may ask of the window that runs it, and nothing more: the operations never
// touch a control directly, so they run headless behind a console or a test double.
class WindowServices
{
public:
    virtual ~WindowServices() = default;

    // The password box's text as bytes of the Windows-1252 code page, one byte a character.
    [[nodiscard]] virtual QByteArray passwordText() const = 0;
    // The password a file is to be encrypted under anew (rekey), as passwordText; a window that
    // changes no password has none.
    [[nodiscard]] virtual QByteArray newPasswordText() const { return {}; }
    // Tested only for being empty.
    [[nodiscard]] virtual QString fileBoxText() const = 0;
    // The file system's bytes of the path last accepted in the open-file dialog; this names the
    // file to work on. May throw Failure(FileError) for a name that cannot be told apart.
    [[nodiscard]] virtual QByteArray chosenFileName() const = 0;

    // What an operation shows along the way. They do nothing unless overridden, for a window
    // with no pointer, status bar or password box to focus (a console, a benchmark).
    virtual void pointerBusy() {}
    virtual void pointerNormal() {}
    virtual void showStatusBar() {}
    virtual void hideStatusBar() {}
    // Replaces the first panel's text; it stays until set again, also while hidden.
    virtual void setStageText([[maybe_unused]] const QString& text) {}
    virtual void focusPassword() {}
    virtual void selectWholePassword() {}
    // How much of the file the operation has read: `done` of `total` bytes, after every piece.
    // A window may keep itself drawn and show the share done; a console a progress bar.
    virtual void progress([[maybe_unused]] qint64 done, [[maybe_unused]] qint64 total) {}

    // Where the new text of saves that could not be finished is kept, a line a save ("FILE: why;
    // the new text is kept in PATH"). A window shows them in one box; a console has already said
    // so in the failure's reason.
    virtual void keptTexts([[maybe_unused]] const QStringList& lines) {}

    // Modal, a single OK button; returns when dismissed.
    virtual void messageBox(const QString& prompt, const QString& title, MessageIcon icon) = 0;
    // The box of a failure, with the reason the failure gave ("read-only", "cannot write: No
    // space left on device"). A window shows the box alone; a console adds the reason.
    virtual void failureBox(const QString& prompt, const QString& title, MessageIcon icon,
                            [[maybe_unused]] const QString& reason)
    {
        messageBox(prompt, title, icon);
    }
};

} // namespace cindral
