// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "operations/ImageWriter.h"

#include "cipher/EncryptedFileLayout.h"
#include "cipher/ShiftCipher.h"

#include <utility>

namespace cindral {

ImageWriter::ImageWriter(TextSink& file, QByteArray password, int pwdavg)
    : m_file(file), m_password(std::move(password)), m_pwdavg(pwdavg)
{
    m_file.write(QByteArrayView(&cipher::marker, 1));
}

void ImageWriter::write(std::span<char> piece)
{
    cipher::Encrypt(piece, m_password);
    m_file.write(QByteArrayView(piece.data(), piece.size()));
}

void ImageWriter::finish()
{
    m_file.write(cipher::trailerOf(m_pwdavg));
}

} // namespace cindral
