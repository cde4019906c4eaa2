// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "operations/FailureBox.h"
#include "operations/MessageBoxText.h"

// Everything the operations say to the user, word for word.
namespace cindral::messages {

// The stages, in the status bar's first panel.
inline constexpr QStringView checkingPassword = u"Checking for Password...";
inline constexpr QStringView gettingData = u"Getting Data from the File...";
inline constexpr QStringView encrypting = u"Encrypting the File...";
inline constexpr QStringView decrypting = u"Decrypting the File...";

// The boxes both operations show.
inline constexpr MessageBoxText noPassword{u"Enter a Password", u"No Password",
                                           MessageIcon::Exclamation};
inline constexpr MessageBoxText noFile{u"Select a File to Encrypt/Decrypt", u"Error",
                                       MessageIcon::Exclamation};
inline constexpr MessageBoxText programError{u"An internal error has occured in the program",
                                             u"Program Error", MessageIcon::Critical};

// The Encrypt operation's own.
inline constexpr MessageBoxText encryptShortPassword{
    u"The password should be of atleast 5  and maximum 9 Alphabets/Numbers or Combination of them",
    u"Password Error", MessageIcon::Exclamation};
inline constexpr MessageBoxText alreadyEncrypted{
    u"File is Already Encrypted, you cannot Encrypt again!", u"Encryption Error",
    MessageIcon::Exclamation};
inline constexpr MessageBoxText encrypted{u"The selected File has been Encrypted and Saved",
                                          u"Encrypted", MessageIcon::Information};
inline constexpr MessageBoxText illegalCharacters{
    u"The file to be Encrypted has some illegal Characters which you cannot Encrypt",
    u"Encryption Error", MessageIcon::Critical};
inline constexpr MessageBoxText encryptFileError{
    u"The file does not exist or access to the file is denied.", u"File Error",
    MessageIcon::Critical};
// Encrypt's failure boxes, rekey's too; a failure number not listed shows programError.
inline constexpr FailureBox encryptFailures[] = {
    {FailureNumber::IllegalCharacter, illegalCharacters},
    {FailureNumber::FileError, encryptFileError},
};

// The Decrypt operation's own.
inline constexpr MessageBoxText decryptShortPassword{
    u"The password should be of atleast 5 Characters/Numbers or Combination of them",
    u"Password Error", MessageIcon::Exclamation};
inline constexpr MessageBoxText notEncrypted{u"File is Not Encrypted, you cannot Decrypt it!",
                                             u"Encryption Error", MessageIcon::Exclamation};
// The box of the password check's verdict Verdict::WrongPassword, which its prompt says in
// words.
inline constexpr MessageBoxText wrongPassword{u"Wrong Password", u"Wrong Password,Access Denied",
                                              MessageIcon::Critical};
inline constexpr MessageBoxText decrypted{u"The selected File has been Decrypted and Saved",
                                          u"Decripted", MessageIcon::Information};
inline constexpr MessageBoxText decryptFileError{u"The file does not exist", u"File Error",
                                                 MessageIcon::Critical};
// Decrypt's failure boxes, cat's and status's too; a damaged body is an internal error.
inline constexpr FailureBox decryptFailures[] = {
    {FailureNumber::FileError, decryptFileError},
};

// The window's box of saves that could not be finished, at its start or when a save in place
// could not stand; the prompt is followed by a line a save.
inline constexpr MessageBoxText keptTexts{
    u"These saves could not be finished. The new text of each is kept for you:",
    u"Saves Not Finished", MessageIcon::Exclamation};

// Rekey's own; its other boxes are Decrypt's and Encrypt's.
inline constexpr MessageBoxText passwordChanged{
    u"The selected File has been Encrypted under the new Password and Saved", u"Password Changed",
    MessageIcon::Information};

} // namespace cindral::messages
