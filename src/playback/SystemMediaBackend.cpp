#include "SystemMediaBackend.h"

#include "VlcBackend.h"

std::unique_ptr<MediaBackend> MakeSystemMediaBackend() { return std::make_unique<VlcBackend>(); }
