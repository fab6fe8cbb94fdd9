#include "support/rig/pty.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>
#include <cerrno>
#include <stdexcept>

namespace rig {

PseudoTerminal::PseudoTerminal() {
    char name[256] = {};
    termios raw{};
    cfmakeraw(&raw);
    if (openpty(&controller_, &device_, name, &raw, nullptr) != 0) {
        throw std::runtime_error("openpty failed");
    }
    fcntl(controller_, F_SETFD, FD_CLOEXEC);
    fcntl(device_, F_SETFD, FD_CLOEXEC);
    path_ = QString::fromLocal8Bit(name);
}

PseudoTerminal::~PseudoTerminal() {
    close(controller_);
    close(device_);
}

bool PseudoTerminal::send(const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(controller_, bytes.constData() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += n;
    }
    return true;
}

QByteArray PseudoTerminal::receive(milliseconds limit) {
    QByteArray out;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        const auto left =
            std::chrono::duration_cast<milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd p{controller_, POLLIN, 0};
        const int r =
            poll(&p, 1, out.isEmpty() ? static_cast<int>(qMax<qint64>(0, left.count())) : 0);
        if (r < 0 && errno == EINTR) {
            continue;
        }
        if (r <= 0 || !(p.revents & POLLIN)) {
            return out;
        }
        char buffer[4096];
        const ssize_t n = read(controller_, buffer, sizeof buffer);
        if (n <= 0) {
            return out;
        }
        out.append(buffer, n);
    }
}

}  // namespace rig
