// Feeds arbitrary bytes to the name texts of the file-manager commands: extensions must be
// tails without a separator, a name typed over a shown one must keep the bytes it was not
// typed over, renamed CD rows must keep their number and fit the database's slot as it stores
// them (Windows-1252 or UTF-8), and CD
// rows of any shape must give their information line or the one error, never a crash.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/base/FileExtension.h"
#include "core/base/SonorailError.h"
#include "core/base/Utf8Text.h"
#include "core/cd/CdEntry.h"
#include "core/cd/CdRecordText.h"
#include "core/files/FileInfoText.h"
#include "core/files/NameText.h"

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

// The most bytes a database slot keeps of an entry.
constexpr std::size_t kSlotText = 50;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const long minutes = input.ConsumeIntegralInRange<long>(-5, 1000);
    const std::string row = input.ConsumeRandomLengthString(128);
    const std::string original = input.ConsumeRandomLengthString(256);
    const std::string text = input.ConsumeRemainingBytesAsString();

    const std::string_view extension = ExtensionOf(text);
    check(text.ends_with(extension));
    check(extension.empty() || (extension[0] == '.' && extension.find_first_of("/\\:") == std::string_view::npos));
    check(WithOldExtension(text, original).starts_with(text));

    check(TypedNameBytes(Utf8FromLegacyText(original), original) == original);
    // Anything else is the text as typed, or the original's directory bytes followed by the
    // part typed after its readable form.
    const std::string typed = TypedNameBytes(text, original);
    const std::size_t slash = original.rfind('/');
    const std::string directory = slash == std::string::npos ? "" : original.substr(0, slash + 1);
    const std::string readableDirectory = Utf8FromLegacyText(directory);
    check(typed == text || typed == original ||
          (text.starts_with(readableDirectory) && typed == directory + text.substr(readableDirectory.size())));

    const std::string entry = CdEntry::renamed(row, text);
    check(entry.starts_with(row.substr(0, 3)) && entry.ends_with(".cdt") && CdRecordText::fits(entry, kSlotText));
    check(!IsValidUtf8(text) || !IsValidUtf8(row.substr(0, 3)) || IsValidUtf8(entry));
    try {
        check(CdTrackInfoText(row, minutes * 60'000).starts_with("Track:"));
    } catch (const SonorailError&) {
        // A row without its two-digit number: the error the user would read.
    }
    return 0;
}
