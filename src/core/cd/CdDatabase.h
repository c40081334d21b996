#pragma once
// The CD information database "cddat.dat": records of 6080 bytes one after the other, no
// header, numbered from 0; a trailing part shorter than a record is ignored. Records are
// never removed or reordered; a disc's record is rewritten in place.
//
// Failures raise SonorailError naming the file, and leave it as it was.
#include <cstdint>
#include <optional>
#include <string>

#include "core/cd/CdRecord.h"

class CdDatabase {
public:
    static constexpr const char* kFileName = "cddat.dat";

    // The record number kept for the disc that was read last (CurrentRecordIndex): the number
    // of its record, kNoRecordYet when the file holds none for it (the next store appends
    // one), or 0 when there was no file (the next store creates it with this disc first).
    static constexpr std::int32_t kNoRecordYet = -1;

    struct Lookup {
        std::int32_t recordIndex = 0;
        std::optional<CdRecord> record;  // the first record with the identifier
    };

    explicit CdDatabase(std::string path) : file(std::move(path)) {}
    // The database in ProgramDir.
    static CdDatabase inProgramDir();

    const std::string& path() const { return file; }

    // The first record whose identifier is discId. Reads the file in large blocks.
    Lookup find(std::int32_t discId) const;

    // Writes record as number recordIndex, or appends it after the last whole record when
    // recordIndex is kNoRecordYet (recordIndex then becomes its number). An existing file gets
    // the one record written at its place and flushed, nothing else; a missing file is created
    // whole, atomically.
    void store(const CdRecord& record, std::int32_t& recordIndex) const;

private:
    void createWith(const CdRecord& record) const;
    void writeInto(const CdRecord& record, std::int32_t& recordIndex) const;
    [[noreturn]] void fail(int errnoValue) const;

    std::string file;
};
