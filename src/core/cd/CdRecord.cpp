#include "core/cd/CdRecord.h"

#include "core/cd/CdRecordText.h"

namespace {

// Where the fields lie in a record and how large they are.
constexpr std::size_t kTitleAt = 4;
constexpr std::size_t kAuthorAt = 260;
constexpr std::size_t kCategoryAt = 516;
constexpr std::size_t kMiscAt = 772;
constexpr std::size_t kTextField = 256;
constexpr std::size_t kSlotsAt = 1028;
constexpr std::size_t kSlotField = 51;
static_assert(kSlotsAt + CdRecord::kSlotCount * kSlotField + 3 == CdRecord::kSize);

const std::string kEmptySlot(48, ' ');

void putShortText(std::string& record, std::size_t at, std::size_t fieldSize, const std::string& text)
{
    const std::string kept = CdRecordText::stored(CdRecordText::fittingStart(text, fieldSize - 1));
    record[at] = static_cast<char>(kept.size());
    record.replace(at + 1, kept.size(), kept);
}

std::string shortTextAt(std::span<const unsigned char, CdRecord::kSize> bytes, std::size_t at, std::size_t fieldSize)
{
    const std::size_t length = std::min<std::size_t>(bytes[at], fieldSize - 1);
    const auto* first = reinterpret_cast<const char*>(bytes.data() + at + 1);
    return CdRecordText::read(std::string_view(first, length));
}

}  // namespace

CdRecord::CdRecord() { trackSlots.fill(kEmptySlot); }

bool CdRecord::slotIsEmpty(const std::string& slot) { return slot.empty() || slot.starts_with("     "); }

std::string CdRecord::encode() const
{
    std::string record(kSize, '\0');
    const auto id = static_cast<std::uint32_t>(discId);
    for (int byte = 0; byte < 4; ++byte)
        record[static_cast<std::size_t>(byte)] = static_cast<char>((id >> (8 * byte)) & 0xFF);
    putShortText(record, kTitleAt, kTextField, title);
    putShortText(record, kAuthorAt, kTextField, author);
    putShortText(record, kCategoryAt, kTextField, category);
    putShortText(record, kMiscAt, kTextField, misc);
    for (std::size_t slot = 0; slot < kSlotCount; ++slot)
        putShortText(record, kSlotsAt + slot * kSlotField, kSlotField, trackSlots[slot]);
    return record;
}

std::int32_t CdRecord::discIdIn(const unsigned char* recordStart)
{
    const std::uint32_t id = recordStart[0] | (recordStart[1] << 8) | (recordStart[2] << 16) |
                             (static_cast<std::uint32_t>(recordStart[3]) << 24);
    return static_cast<std::int32_t>(id);
}

CdRecord CdRecord::decode(std::span<const unsigned char, kSize> bytes)
{
    CdRecord record;
    record.discId = discIdIn(bytes.data());
    record.title = shortTextAt(bytes, kTitleAt, kTextField);
    record.author = shortTextAt(bytes, kAuthorAt, kTextField);
    record.category = shortTextAt(bytes, kCategoryAt, kTextField);
    record.misc = shortTextAt(bytes, kMiscAt, kTextField);
    for (std::size_t slot = 0; slot < kSlotCount; ++slot)
        record.trackSlots[slot] = shortTextAt(bytes, kSlotsAt + slot * kSlotField, kSlotField);
    return record;
}
