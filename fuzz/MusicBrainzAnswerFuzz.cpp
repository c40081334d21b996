// Feeds arbitrary bytes to the reader of MusicBrainz's disc lookup answers: it either refuses
// them with SonorailError or gives names whose texts are UTF-8 and whose one-line fields
// hold no line breaks.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/base/SonorailError.h"
#include "core/base/Utf8Text.h"
#include "core/cd/MusicBrainzAnswer.h"

namespace {

void requireOneLine(const std::string& text)
{
    if (!IsValidUtf8(text) || text.find_first_of("\r\n") != std::string::npos)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view answer(reinterpret_cast<const char*>(data), size);
    try {
        const std::optional<LookedUpNames> names = MusicBrainzAnswer::namesFor(answer, "abc-");
        if (!names)
            return 0;
        for (const std::string* text : {&names->title, &names->author, &names->category})
            requireOneLine(*text);
        for (const std::string& title : names->trackTitles)
            requireOneLine(title);
        if (!IsValidUtf8(names->notes))
            std::abort();
    } catch (const SonorailError&) {
        // refused: the expected end of most inputs
    }
    return 0;
}
