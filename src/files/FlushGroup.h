// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <condition_variable>
#include <initializer_list>
#include <mutex>
#include <sys/types.h>
#include <thread>
#include <utility>
#include <vector>

namespace cindral {

// The flushes to the disk of saves that run side by side, made together. A save in the group
// waits at each flush, as it would for its own, while the group's own thread flushes: once for
// all the saves that came to a flush since it last began, one flush of each file system (where
// the file system's flush is known to take everything written before it, data and names alike;
// elsewhere each file and folder by itself, as outside a group). What each save makes durable,
// and in which order, stays as it is; only the number of flushes falls, which is most of what a
// run over many small files costs.
class FlushGroup
{
public:
    enum class Target
    {
        File,
        Folder, // an O_PATH handle too
    };

    // The calling thread's part in the group while it lives: its flushes are the group's.
    class Member
    {
    public:
        explicit Member(FlushGroup& group);
        ~Member();
        Member(const Member&) = delete;
        Member& operator=(const Member&) = delete;
    };

    FlushGroup();
    ~FlushGroup();
    FlushGroup(const FlushGroup&) = delete;
    FlushGroup& operator=(const FlushGroup&) = delete;

    struct Flushed
    {
        int fd;
        Target target;
    };

    // Makes what was written to `fd` durable: in the calling thread's group, or by itself for a
    // thread in none. False, with errno saying why, when the system says it may not be.
    [[nodiscard]] static bool flush(int fd, Target target) { return flush({{fd, target}}); }
    // The same for several at once: in a group, in one round.
    [[nodiscard]] static bool flush(std::initializer_list<Flushed> flushed);

private:
    struct Request;

    [[nodiscard]] bool flushInGroup(const std::vector<Flushed>& flushed);
    void flushWhatWaits(std::stop_token stop);
    static void flushRound(const std::vector<Request*>& round);

    std::mutex m_mutex;
    std::condition_variable_any m_arrived; // only the group's thread waits
    std::vector<Request*> m_waiting;
    std::vector<std::pair<dev_t, bool>> m_systems; // whether each flushes whole
    std::jthread m_flusher;
};

} // namespace cindral
