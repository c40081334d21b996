// Feeds arbitrary bytes to the CD database's record reader as one record (cut or padded with
// zeros to 6080 bytes): every text read is UTF-8 and no longer than its field could make it,
// the record written back is 6080 bytes, reads back as prefixes of what was read, and naming
// a disc's listing from it keeps one entry per track.
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

void requirePrefix(const std::string& shorter, const std::string& longer)
{
    if (!longer.starts_with(shorter))
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
    if (again.discId != read.discId)
        std::abort();
    requirePrefix(again.title, read.title);
    requirePrefix(again.misc, read.misc);
    for (std::size_t j = 0; j < read.trackSlots.size(); ++j)
        requirePrefix(again.trackSlots[j], read.trackSlots[j]);

    CdListing listing = CdListing::forNewDisc(1 + bytes[5] % 99);
    const std::size_t tracks = listing.entries.size();
    listing.nameFrom(read);
    if (listing.entries.size() != tracks || listing.recordFor(read.discId).encode().size() != CdRecord::kSize)
        std::abort();
    return 0;
}
