// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text/ReloadedText.h"

#include <algorithm>

namespace cindral {

ReloadedText::ReloadedText() : m_rule(LineEnds::Append) {}

std::span<char> ReloadedText::load(std::span<const char> restored)
{
    const auto size = static_cast<qsizetype>(restored.size());
    if (m_buffer.size() < size + 1)
        m_buffer.resize(size + 1);
    std::copy(restored.begin(), restored.end(), m_buffer.begin() + 1);
    return m_rule.apply(std::span(m_buffer.data() + 1, restored.size()), m_spare);
}

std::span<char> ReloadedText::finish()
{
    m_ending = m_rule.finish().toByteArray();
    return std::span(m_ending.data(), static_cast<size_t>(m_ending.size()));
}

} // namespace cindral
