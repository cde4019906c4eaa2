// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/CapturedLines.h"

namespace cindral::cli {

CapturedLines::CapturedLines() : m_out(*this, Stream::Out), m_err(*this, Stream::Err) {}

void CapturedLines::writeTo(const Written& written, QIODevice& out, QIODevice& err)
{
    for (const auto& [stream, bytes] : written)
        (stream == Stream::Out ? out : err).write(bytes);
}

CapturedLines::End::End(CapturedLines& lines, Stream stream) : m_lines(lines), m_stream(stream)
{
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 CapturedLines::End::writeData(const char* data, qint64 size)
{
    m_lines.m_written.emplace_back(m_stream, QByteArray(data, size));
    return size;
}

} // namespace cindral::cli
