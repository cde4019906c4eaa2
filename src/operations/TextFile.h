#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>
#include <span>

// Reading and writing the user's text file. Failures are thrown as cindral::Failure.
namespace cindral {

enum class LineEnds
{
    Join,   // lines joined with nothing between them (decryption)
    Append, // CR LF after every line (encryption)
};

// Reads the whole file line by line: a line ends at CR LF or at a lone CR; an LF alone is an
// ordinary character; a final line end adds no empty line; an empty file gives an empty text.
// `opened` runs after the file has been opened and before anything is read.
// Throws Failure(FileError) for a missing file, a folder, or one that cannot be opened or read.
[[nodiscard]] QByteArray loadtext(const QByteArray& filename, LineEnds appendLineEnds,
                                  const std::function<void()>& opened = {});

// Replaces the file's whole content with the pieces, written one after the other. The file is
// replaced whole or not at all (a new file put in its place), keeping its permissions and, where
// allowed, owner and group; a symbolic link is followed. A file with other hard links, or in a
// folder that refuses new files, is overwritten in place after its space has been reserved.
// A file whose owner has no write permission is read-only: Failure(FileError), also for root.
void savetext(const QByteArray& filename, std::span<const QByteArrayView> pieces);

} // namespace cindral
