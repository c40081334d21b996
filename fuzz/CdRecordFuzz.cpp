// Feeds arbitrary bytes to the CD database's record reader as one record (cut or padded with
// zeros to 6080 bytes): every text read is UTF-8 and no longer than its field could make it,
// the record written back is 6080 bytes and reads back as exactly what was read (a text read
// as Windows-1252 is written in Windows-1252 again, one read as UTF-8 in the code page that
// gives the same text), naming a disc's listing from it keeps one entry per track, and the
// listing's record holds what the listing shows once fitted to it.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/base/Utf8Text.h"
#include "core/cd/CdListing.h"
#include "core/cd/CdRecord.h"

namespace {

// A field's bytes read as Windows-1252 take at most three bytes each in UTF-8.
constexpr std::size_t kMostBytesPerLegacyByte = 3;

void requireReadable(const std::string& text, std::size_t fieldLimit)
{
    if (!IsValidUtf8(text) || text.size() > fieldLimit * kMostBytesPerLegacyByte)
        std::abort();
}

void require(bool condition)
{
    if (!condition)
        std::abort();
}

std::span<const unsigned char, CdRecord::kSize> asRecord(const std::string& bytes)
{
    return std::span<const unsigned char, CdRecord::kSize>(reinterpret_cast<const unsigned char*>(bytes.data()),
                                                           CdRecord::kSize);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::array<unsigned char, CdRecord::kSize> bytes{};
    std::memcpy(bytes.data(), data, std::min(size, bytes.size()));
    const CdRecord read = CdRecord::decode(bytes);
    for (const std::string* text : {&read.title, &read.author, &read.category, &read.misc})
        requireReadable(*text, CdRecord::kLongestText);
    for (const std::string& slot : read.trackSlots)
        requireReadable(slot, CdRecord::kLongestSlot);

    const std::string written = read.encode();
    if (written.size() != CdRecord::kSize || written.compare(6077, 3, std::string(3, '\0')) != 0)
        std::abort();
    const CdRecord again = CdRecord::decode(asRecord(written));
    require(again.discId == read.discId && again.title == read.title && again.author == read.author &&
            again.category == read.category && again.misc == read.misc && again.trackSlots == read.trackSlots);

    CdListing listing = CdListing::forNewDisc(1 + bytes[5] % 99);
    const std::size_t tracks = listing.entries.size();
    listing.nameFrom(read);
    require(listing.entries.size() == tracks);
    // Texts found elsewhere (here the record's bytes taken as the panel's texts) are shown as
    // they are stored once fitted.
    listing.fields.title = Utf8FromLegacyText(std::string_view(reinterpret_cast<const char*>(bytes.data()) + 4, 600));
    listing.fitToRecord();
    const CdRecord fitted = CdRecord::decode(asRecord(listing.recordFor(read.discId).encode()));
    require(fitted.title == listing.fields.title && fitted.author == listing.fields.author);
    for (std::size_t j = 0; j < tracks; ++j)
        require(fitted.trackSlots[j] == listing.entries[j]);
    return 0;
}
