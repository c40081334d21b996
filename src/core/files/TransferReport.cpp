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

std::string TransferReport::message() const
{
    if (wasCancelled)
        return Utf8FromLegacyText(lastFailed) + " was not " + verb + ": cancelled.";
    if (failures == 1)
        return Utf8FromLegacyText(lastFailed) + " was not " + verb + ": " + lastReason + ".";
    if (failures > 1)
        return std::to_string(failures) + " files were not " + verb + "; the last, " + Utf8FromLegacyText(lastFailed) +
               ": " + lastReason + ".";
    if (sameFiles == 1)
        return Utf8FromLegacyText(lastSame) + " was not " + verb + " onto itself.";
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
    default:
        return IoErrorText::forErrno(error);
    }
}
