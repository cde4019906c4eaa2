// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "operations/MessageBoxText.h"

// Everything the Decrypt operation says to the user, word for word.
namespace cindral::decrypt_messages {

inline constexpr QStringView checkingPassword = u"Checking for Password...";
inline constexpr QStringView gettingData = u"Getting Data from the File...";
inline constexpr QStringView decrypting = u"Decrypting the File...";

inline constexpr MessageBoxText noPassword{u"Enter a Password", u"No Password",
                                           MessageIcon::Exclamation};
inline constexpr MessageBoxText noFile{u"Select a File to Encrypt/Decrypt", u"Error",
                                       MessageIcon::Exclamation};
inline constexpr MessageBoxText shortPassword{
    u"The password should be of atleast 5 Characters/Numbers or Combination of them",
    u"Password Error", MessageIcon::Exclamation};
inline constexpr MessageBoxText notEncrypted{u"File is Not Encrypted, you cannot Decrypt it!",
                                             u"Encryption Error", MessageIcon::Exclamation};
// The prompt is the verdict the password check leaves behind.
inline constexpr MessageBoxText wrongPassword{u"Wrong Password", u"Wrong Password,Access Denied",
                                              MessageIcon::Critical};
inline constexpr MessageBoxText decrypted{u"The selected File has been Decrypted and Saved",
                                          u"Decripted", MessageIcon::Information};
inline constexpr MessageBoxText fileError{u"The file does not exist", u"File Error",
                                          MessageIcon::Critical};
inline constexpr MessageBoxText programError{u"An internal error has occured in the program",
                                             u"Program Error", MessageIcon::Critical};

} // namespace cindral::decrypt_messages
