// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cli/ExitStatus.h"
#include "cli/FoundFiles.h"
#include "cli/ProgressBar.h"
#include "operations/Outcome.h"

#include <QIODevice>
#include <QtGlobal>
#include <functional>
#include <optional>
#include <vector>

namespace cindral::cli {

// One command over many files, several of them worked on side by side so that their saves'
// flushes to the disk are made together (FlushGroup): each file still holds its old text or its
// new one after a crash at any moment, and is on the disk when its line says it is done. Each
// file's lines are written whole and in the order of the files, and the exit status is the
// worst of theirs, as one file after the other would give them. Two names of one file are never
// worked on at once: the second waits for the first. The files open at a time, the pieces in
// memory and the lines held back stay within bounds at any number of files.
class SideBySideRun
{
public:
    // Works on one file with pieces of the size given, writing its lines to the two streams.
    using Work = std::function<Outcome(const FoundFile& file, qsizetype pieceSize, QIODevice& out,
                                       QIODevice& err)>;

    SideBySideRun(std::vector<FoundFile> files, Work work);
    ~SideBySideRun();
    SideBySideRun(const SideBySideRun&) = delete;
    SideBySideRun& operator=(const SideBySideRun&) = delete;

    // `bar`, when given, shows the files and bytes done of the whole run once it takes a while.
    [[nodiscard]] ExitStatus run(QIODevice& out, QIODevice& err, std::optional<ProgressBar>& bar);

private:
    struct State;

    void workOnFiles();

    Work m_work;
    std::unique_ptr<State> m_state;
};

} // namespace cindral::cli
