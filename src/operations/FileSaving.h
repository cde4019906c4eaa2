#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <span>

namespace cindral {

// Puts the pieces in the place of the file's whole content, as savetext describes; throws
// Failure. A file that can take a new file's place gets one; one that cannot is overwritten in
// place once its space is reserved.
void saveWhole(const QByteArray& path, std::span<const QByteArrayView> pieces);

} // namespace cindral
