// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The scratch-file helpers now live in tests/support/. Kept only until TextFileTest.cpp, being
// reworked on another branch, includes support/ScratchFiles.h.
#include "support/ScratchFiles.h"
