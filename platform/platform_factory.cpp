#include "platform/platform.h"

#ifdef Q_OS_LINUX
#include "platform/linux/linux_platform.h"
#else
#include "platform/null_platform.h"
#endif

std::unique_ptr<Platform> createPlatform() {
#ifdef Q_OS_LINUX
    // The Linux backend finds out at run time which of its parts the desktop
    // supports (an X display, XTEST, logind); capabilities() says which.
    return std::make_unique<LinuxPlatform>();
#else
    return std::make_unique<NullPlatform>(
        QStringLiteral("Quenda has no backend for this system yet"));
#endif
}
