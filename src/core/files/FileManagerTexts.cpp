#include "core/files/FileManagerTexts.h"

#include "core/files/NameText.h"

void FileManagerTexts::renameAccepted(std::string_view typed)
{
    RenameTo = WithOldExtension(TypedNameBytes(typed, RenameFrom), RenameFrom);
}
