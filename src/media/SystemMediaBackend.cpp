#include "media/SystemMediaBackend.h"

#include "media/VlcBackend.h"

std::unique_ptr<MediaBackend> MakeSystemMediaBackend() { return std::make_unique<VlcBackend>(); }
