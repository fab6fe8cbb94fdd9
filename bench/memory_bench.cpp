// Memory over many presses: the real program in the tray runs a command for every
// press (each one flashes the tray icon); the bench reads its resident size after
// the first 100 presses and after all of them.
//
//   memory_bench [presses]     (10000 unless given)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "program_run.h"
#include "support/rig/pty.h"

int main(int argc, char** argv) {
    const int presses = argc > 1 ? std::max(100, std::atoi(argv[1])) : 10000;
    constexpr int kSpacingMs = 30;  // more than the pass: each press is one code
    try {
        rig::PseudoTerminal receiver;
        // A pause of no milliseconds: it runs in the tray and does nothing but the
        // feedback; no hint, no sound.
        bench::ProgramRun run(
            receiver.devicePath(), bench::commandFile(" 41 42 43", "Pause:", "", "0"),
            {"Show command: no", "Pause command: 10"}, presses * kSpacingMs / 1000 * 2 + 60);
        if (!run.waitInTray()) {
            std::fprintf(stderr, "the program did not come up in the tray:\n%s\n",
                         run.errors().constData());
            return 1;
        }
        const pid_t pid = run.pid();
        long after100 = 0;
        for (int i = 1; i <= presses; ++i) {
            receiver.send("ABC");
            std::this_thread::sleep_for(std::chrono::milliseconds(kSpacingMs));
            if (i == 100) {
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
                after100 = bench::residentKb(pid);
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        const long afterAll = bench::residentKb(pid);
        std::printf("Machine: %s\n", bench::machine().constData());
        std::printf("Resident memory: %ld kB after 100 presses, %ld kB after %d (%+ld kB)\n",
                    after100, afterAll, presses, afterAll - after100);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "memory_bench: %s\n", e.what());
        return 1;
    }
}
