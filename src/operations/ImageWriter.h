// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "files/TextSink.h"

#include <QByteArray>
#include <span>

namespace cindral {

// The image of a text encrypted under a password, written as it is made: the marker on
// construction, each piece of the loaded text shifted, then the trailer.
class ImageWriter
{
public:
    // `pwdavg` is the password's fingerprint.
    ImageWriter(TextSink& file, QByteArray password, int pwdavg);

    // Shifts the piece in place and writes it; throws Failure(IllegalCharacter) for a code the
    // shift cannot raise.
    void write(std::span<char> piece);
    void finish();

private:
    TextSink& m_file;
    QByteArray m_password;
    int m_pwdavg;
};

} // namespace cindral
