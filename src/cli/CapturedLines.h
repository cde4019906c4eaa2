// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QIODevice>
#include <utility>
#include <vector>

namespace cindral::cli {

// What one file's operation writes to standard output and standard error while other files are
// worked on beside it, kept in the order written, for the run to write out once the files before
// it are done.
class CapturedLines
{
public:
    enum class Stream
    {
        Out,
        Err,
    };
    using Written = std::vector<std::pair<Stream, QByteArray>>;

    CapturedLines();
    CapturedLines(const CapturedLines&) = delete;
    CapturedLines& operator=(const CapturedLines&) = delete;

    [[nodiscard]] QIODevice& out() { return m_out; }
    [[nodiscard]] QIODevice& err() { return m_err; }
    // What was written, which no longer needs the object.
    [[nodiscard]] Written taken() { return std::move(m_written); }

    // Writes everything, each piece to the stream it was written to, in its order.
    static void writeTo(const Written& written, QIODevice& out, QIODevice& err);

private:
    class End : public QIODevice
    {
    public:
        End(CapturedLines& lines, Stream stream);

    protected:
        qint64 readData(char*, qint64) override { return -1; }
        qint64 writeData(const char* data, qint64 size) override;

    private:
        CapturedLines& m_lines;
        Stream m_stream;
    };

    Written m_written;
    End m_out;
    End m_err;
};

} // namespace cindral::cli
