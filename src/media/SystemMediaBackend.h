#pragma once
// The media back end the program plays with.
#include <memory>

#include "core/playback/MediaBackend.h"

std::unique_ptr<MediaBackend> MakeSystemMediaBackend();
