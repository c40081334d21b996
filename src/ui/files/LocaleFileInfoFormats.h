#pragma once
// The size, date and time of the file-information line as the user's locale writes them
// (QLocale's default at the moment of use): the size grouped with the locale's separator,
// the short date, and the long time without a time zone (the line tells when the file was
// written where the user sits).
#include "core/files/FileInfoText.h"

FileInfoFormats LocaleFileInfoFormats();
