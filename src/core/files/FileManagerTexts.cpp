#include "core/files/FileManagerTexts.h"

#include "core/files/NameText.h"

void FileManagerTexts::renameAccepted(std::string_view typed)
{
    renameTo = WithOldExtension(TypedNameBytes(typed, renameFrom), renameFrom);
}
