// The floor for latency_bench: the least a reader of the receiver's port can do
// for a press. It reads the port and, for every read that brought bytes, starts
// the given program at once with posix_spawn: no recognition, no pause, no window.
//
//   latency_floor <device> <program path> [arguments...]
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>

extern char** environ;

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: latency_floor <device> <program> [arguments...]\n");
        return 2;
    }
    const int port = open(argv[1], O_RDONLY | O_NOCTTY | O_CLOEXEC);
    if (port < 0) {
        std::perror(argv[1]);
        return 1;
    }
    termios raw{};
    if (tcgetattr(port, &raw) == 0) {
        cfmakeraw(&raw);
        tcsetattr(port, TCSANOW, &raw);
    }
    char bytes[4096];
    while (true) {
        const ssize_t got = read(port, bytes, sizeof bytes);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return got == 0 ? 0 : 1;
        }
        pid_t pid = 0;
        posix_spawn(&pid, argv[2], nullptr, nullptr, argv + 2, environ);
        while (waitpid(-1, nullptr, WNOHANG) > 0) {
        }
    }
}
