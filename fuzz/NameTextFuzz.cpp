// Feeds arbitrary bytes to the name texts of the file-manager commands: readable names must
// be valid UTF-8 and leave valid UTF-8 alone, cuts must be prefixes that split no character,
// extensions must be tails without a separator, and CD rows of any shape must give their
// texts or the one error, never a crash.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/base/SonorailError.h"
#include "core/files/CdTrackRename.h"
#include "core/files/FileInfoText.h"
#include "core/files/NameText.h"

namespace {

// A plain validator written from the UTF-8 definition (RFC 3629), to check the converter.
bool isValidUtf8(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size()) {
        const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
        std::size_t length = 1;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        const unsigned char lead = byte(0);
        if (lead < 0x80) {
            ++at;
            continue;
        }
        if (lead >= 0xC2 && lead <= 0xDF)
            length = 2;
        else if (lead >= 0xE0 && lead <= 0xEF)
            length = 3, low = lead == 0xE0 ? 0xA0 : 0x80, high = lead == 0xED ? 0x9F : 0xBF;
        else if (lead >= 0xF0 && lead <= 0xF4)
            length = 4, low = lead == 0xF0 ? 0x90 : 0x80, high = lead == 0xF4 ? 0x8F : 0xBF;
        else
            return false;
        if (text.size() - at < length || byte(1) < low || byte(1) > high)
            return false;
        for (std::size_t i = 2; i < length; ++i)
            if (byte(i) < 0x80 || byte(i) > 0xBF)
                return false;
        at += length;
    }
    return true;
}

void check(bool condition)
{
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::size_t count = input.ConsumeIntegralInRange<std::size_t>(0, 64);
    const std::string row = input.ConsumeRandomLengthString(128);
    const std::string text = input.ConsumeRemainingBytesAsString();

    const std::string readable = ReadableName(text);
    check(isValidUtf8(readable));
    check(!isValidUtf8(text) || readable == text);

    const std::string cut = FirstCharacters(text, count);
    check(text.starts_with(cut));
    check(ReadableName(text).starts_with(ReadableName(cut)));

    const std::string_view extension = ExtensionOf(text);
    check(text.ends_with(extension));
    check(extension.empty() || (extension[0] == '.' && extension.find_first_of("/\\:") == std::string_view::npos));

    const std::string entry = RenamedCdEntry(row, text);
    check(entry.starts_with(row.substr(0, 3)) && entry.ends_with(".cdt"));
    check(CdTrackName("00:" + FirstCharacters(text, kCdTrackNameLimit) + ".cdt") == FirstCharacters(text, kCdTrackNameLimit));
    try {
        check(CdTrackInfoText(row, static_cast<long>(count) * 60'000).starts_with("Track:"));
    } catch (const SonorailError&) {
        // A row without its two-digit number: the error the user would read.
    }
    return 0;
}
