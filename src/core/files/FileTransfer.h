#pragma once
// Copying and moving one file, for the copy and move commands.
//
// A copy is written to a file beside the destination that has no name yet (see
// PendingFile) and takes the destination's name only when every byte, the permission bits,
// the times and the close have succeeded: a failed, cancelled or killed copy leaves no
// half-written file behind, and a file it was to replace stays as it was. A move is a rename when both names are on one
// file system (instant, nothing copied), otherwise a complete copy followed by deleting the
// source. A destination that is the source itself, under any name (a link to the directory,
// a hard link), is never touched: copying a file onto itself would truncate it, and a move
// would then delete the only copy.
#include <cstdint>
#include <functional>
#include <string>

// Told the bytes of the file copied so far and the source's size, after every chunk;
// returns false to cancel.
using CopyProgress = std::function<bool(std::uint64_t copied, std::uint64_t size)>;

enum class TransferOutcome {
    Done,
    SameFile,          // source and destination are one file: left untouched
    SourceUnreadable,  // the source cannot be opened, or is no plain file: nothing written
    Failed,            // reading or writing failed part way: nothing left behind, source kept
    Cancelled,         // the progress callback said stop: nothing left behind, source kept
};

struct TransferResult {
    TransferOutcome outcome = TransferOutcome::Done;
    int error = 0;  // the errno of SourceUnreadable and Failed
};

// Copies source to destination, replacing a file of that name (a symbolic link there is
// replaced, not written through). The copy keeps the source's permission bits and its
// access and modification times. Raises SonorailError with the system's reason when the
// destination cannot be created (its directory is missing or not writable, a directory
// stands where the file would go, a file there that this user may not write); nothing has
// been written then.
TransferResult CopyOneFile(const std::string& source, const std::string& destination,
                           const CopyProgress& progress = {});

// Moves source to destination, replacing a file of that name. Errors as CopyOneFile. When
// a copy was needed and the source then cannot be deleted, both stay and the move counts
// as done.
TransferResult MoveOneFile(const std::string& source, const std::string& destination,
                           const CopyProgress& progress = {});

// True when both paths lead to one file (same device and inode, links followed); false
// when either cannot be reached.
bool IsSameFile(const std::string& a, const std::string& b);
