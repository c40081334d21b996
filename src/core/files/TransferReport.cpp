#include "core/files/TransferReport.h"

#include <cerrno>

#include "core/base/IoErrorText.h"
#include "core/base/Utf8Text.h"

void TransferReport::sameFile(const std::string& name)
{
    ++sameFiles;
    lastSame = name;
}

void TransferReport::failed(const std::string& name, int error)
{
    ++failures;
    lastFailed = name;
    lastReason = FailureReason(error);
}

void TransferReport::cancelled(const std::string& name)
{
    wasCancelled = true;
    lastFailed = name;
}

// The reason comes before the name: a name can be long enough (255 bytes) to push whatever
// follows it out of the information bar.
std::string TransferReport::message() const
{
    if (wasCancelled)
        return "Not " + verb + " (cancelled): " + Utf8FromLegacyText(lastFailed) + ".";
    if (failures == 1)
        return "Not " + verb + " (" + lastReason + "): " + Utf8FromLegacyText(lastFailed) + ".";
    if (failures > 1)
        return std::to_string(failures) + " files were not " + verb + "; the last (" + lastReason +
               "): " + Utf8FromLegacyText(lastFailed) + ".";
    if (sameFiles == 1)
        return "Not " + verb + " onto itself: " + Utf8FromLegacyText(lastSame) + ".";
    if (sameFiles > 1)
        return std::to_string(sameFiles) + " files were not " + verb + " onto themselves.";
    return {};
}

std::string FailureReason(int error)
{
    switch (error) {
        case EEXIST:
        case ENOTEMPTY:
            return "a file of that name exists";
        case EXDEV:
            return "the new name is on another volume";
        case ENAMETOOLONG:
            return "the name is too long";
        default:
            return IoErrorText::forErrno(error);
    }
}
