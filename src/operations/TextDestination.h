// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace cindral {

// Where the text an operation makes goes: over the file it was read from, or into an open stream
// (standard output, for cat) while the file is only read and stays as it was.
class TextDestination
{
public:
    [[nodiscard]] static TextDestination chosenFile() { return TextDestination(-1); }
    [[nodiscard]] static TextDestination stream(int fd) { return TextDestination(fd); }

    [[nodiscard]] bool isChosenFile() const { return m_stream < 0; }
    [[nodiscard]] int streamFd() const { return m_stream; }

private:
    explicit TextDestination(int stream) : m_stream(stream) {}

    int m_stream;
};

} // namespace cindral
