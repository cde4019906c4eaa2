// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "operations/MessageBoxText.h"

// Everything the Encrypt operation says to the user, word for word.
namespace cindral::encrypt_messages {

inline constexpr QStringView gettingData = u"Getting Data from the File...";
inline constexpr QStringView encrypting = u"Encrypting the File...";

inline constexpr MessageBoxText noPassword{u"Enter a Password", u"No Password",
                                           MessageIcon::Exclamation};
inline constexpr MessageBoxText noFile{u"Select a File to Encrypt/Decrypt", u"Error",
                                       MessageIcon::Exclamation};
inline constexpr MessageBoxText shortPassword{
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
inline constexpr MessageBoxText fileError{
    u"The file does not exist or access to the file is denied.", u"File Error",
    MessageIcon::Critical};
inline constexpr MessageBoxText programError{u"An internal error has occured in the program",
                                             u"Program Error", MessageIcon::Critical};

} // namespace cindral::encrypt_messages
