// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Failure now lives in base/. Kept only until the two files that still include it by this name
// (operations/FileSaving.cpp, tests/operations/TextFileTest.cpp) include base/Failure.h.
#include "base/Failure.h"
