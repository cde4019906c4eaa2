#pragma once

#include <QString>

namespace cindral::ui {

// The year and the rights holder, beside the rights sign in the splash and About windows.
[[nodiscard]] inline QString rightsNotice()
{
    return QStringLiteral("2003 the Cindral team");
}

} // namespace cindral::ui
