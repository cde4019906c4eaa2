// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "operations/TextSink.h"

#include <QByteArray>
#include <functional>

namespace cindral {

// Puts what `produce` writes in the place of the file's whole content, as savetext describes;
// throws Failure.
void saveWhole(const QByteArray& path, const std::function<void(TextSink&)>& produce,
               qsizetype pieceSize);

} // namespace cindral
