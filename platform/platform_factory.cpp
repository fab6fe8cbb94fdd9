#include "platform/platform.h"

#ifdef Q_OS_LINUX
#include "platform/linux/linux_platform.h"
#endif

std::unique_ptr<Platform> createPlatform() {
#ifdef Q_OS_LINUX
    return std::make_unique<LinuxPlatform>();
#else
#error "No platform backend for this system yet"
#endif
}
