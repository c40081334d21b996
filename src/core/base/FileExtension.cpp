#include "core/base/FileExtension.h"

std::string_view ExtensionOf(std::string_view text)
{
    // From the last of ".", "/", "\" and ":": an extension only when that last one is the
    // dot, so a dot in a directory name ("C:\MIDI.DIR\README") gives none.
    const std::size_t last = text.find_last_of("./\\:");
    if (last == std::string_view::npos || text[last] != '.')
        return {};
    return text.substr(last);
}
