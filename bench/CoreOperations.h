#pragma once

#include <QByteArray>
#include <QString>

// The core's encryption and decryption of a file, step by step as the operations run them but
// without a window, timing each phase on standard output. Each returns false on a refusal.
[[nodiscard]] bool encryptFile(const QString& path, const QByteArray& password);
[[nodiscard]] bool decryptFile(const QString& path, const QByteArray& password);
