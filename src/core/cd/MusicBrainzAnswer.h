#pragma once
// MusicBrainz's answer to a disc identifier lookup (/ws/2/discid/{id}, JSON) read into the
// names of the CD panel: from the first release with a medium that lists the identifier,
// the release title (with " (disc N)" when it has several media), its artist credit, the
// release group's primary type or else its first genre, notes (date, country, label and
// catalogue number, barcode, the release's identifier, as far as given) and that medium's
// track titles in track order.
#include <cstddef>
#include <optional>
#include <string_view>

#include "core/cd/LookedUpNames.h"

class MusicBrainzAnswer {
public:
    // The largest answer read; a larger one is refused unread.
    static constexpr std::size_t kLargestAnswer = 2 * 1024 * 1024;

    // Nothing when no release lists discId. Throws SonorailError when the text is no JSON, or
    // JSON of another shape.
    static std::optional<LookedUpNames> namesFor(std::string_view json, std::string_view discId);
};
