#pragma once
// One disc in the CD information database: its identifier, the four texts of the CD panel
// and one slot for each of the 99 tracks an audio CD can have, as the 6080 bytes the file
// holds. Texts are UTF-8 here; each sits in a fixed field as a length byte and that many bytes,
// in Windows-1252 when that code page can hold it, else in UTF-8 (CdRecordText).
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

struct CdRecord {
    static constexpr std::size_t kSize = 6080;
    static constexpr int kSlotCount = 99;
    // The longest texts the fields hold, in stored bytes (CdRecordText).
    static constexpr std::size_t kLongestText = 255;
    static constexpr std::size_t kLongestSlot = 50;

    std::int32_t discId = 0;
    std::string title;
    std::string author;
    std::string category;
    std::string misc;  // lines end in CR LF
    // The CD entry of each track in order; a slot without a track holds 48 spaces.
    std::array<std::string, kSlotCount> trackSlots;

    CdRecord();

    // A slot that starts with five spaces (or holds nothing at all) leaves its track's entry
    // as it was generated.
    static bool slotIsEmpty(const std::string& slot);

    // The record in bytes: each text cut to what its field keeps in whole characters, the
    // bytes after each text and the three fill bytes zero.
    std::string encode() const;
    // Any 6080 bytes read back: a length byte larger than its field allows is read only as far
    // as the field goes. Texts that are not UTF-8 (written in a Windows code page) are read as
    // Windows-1252.
    static CdRecord decode(std::span<const unsigned char, kSize> bytes);
    // Only the identifier, as the lookup compares it.
    static std::int32_t discIdIn(const unsigned char* recordStart);
};
