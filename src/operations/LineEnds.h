#pragma once

namespace cindral {

// What loading a text does with the ends of its lines.
enum class LineEnds
{
    Join,   // lines joined with nothing between them (decryption)
    Append, // CR LF after every line (encryption)
};

} // namespace cindral
