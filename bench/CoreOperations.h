#pragma once

#include <QByteArray>
#include <QString>

// The core's Encrypt and Decrypt operations on a file, without a window. Each returns true only
// when the operation succeeded.
[[nodiscard]] bool encryptFile(const QString& path, const QByteArray& password);
[[nodiscard]] bool decryptFile(const QString& path, const QByteArray& password);
