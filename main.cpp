#include <QApplication>
#include <QDir>
#include <QLocale>
#include <cstdio>
#include <cstring>

#include "core/app_state.h"
#include "core/first_start.h"
#include "core/program_folder.h"
#include "core/program_identity.h"
#include "core/user_messages.h"
#include "editor/dialog_prompts.h"
#include "editor/main_window.h"
#include "editor/message_box_reporter.h"
#include "platform/platform.h"
#include "settings/about_box.h"
#include "settings/properties_dialog.h"

namespace {

const char* kUsage =
    "Usage: quenda [--help | --version]\n"
    "Drive the computer with an infrared remote control.\n"
    "Settings and command files live in $XDG_CONFIG_HOME/quenda (~/.config/quenda),\n"
    "or beside the program when a QUENDA.ini lies there.\n";

// Returns an exit code when the arguments end the program before it starts.
int handleArguments(int argc, char** argv) {
    if (argc < 2) {
        return -1;
    }
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("quenda %s\n", QUENDA_VERSION);
        return 0;
    }
    std::fputs(kUsage, stderr);
    return 2;
}

QString programFolder(const QString& executableDir, const Messages& messages,
                      ErrorReporter& errors) {
    const QString folder = ProgramFolder::resolve(executableDir, ProgramFolder::perUserDir());
    if (FirstStart::needed(folder)) {
        const QString error = FirstStart::prepare(folder, QLocale::system().name(), messages);
        if (!error.isEmpty()) {
            errors.report(error);
        }
    }
    return folder;
}

}  // namespace

int main(int argc, char** argv) {
    if (const int code = handleArguments(argc, argv); code >= 0) {
        return code;
    }
    std::unique_ptr<Platform> platform = createPlatform();
    if (!platform->claimSingleInstance()) {
        return 0;  // another copy runs
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(ProgramIdentity::kTitle);
    QApplication::setQuitOnLastWindowClosed(false);
    MessageBoxReporter errors;
    AppState state;
    state.programFolder = programFolder(QApplication::applicationDirPath(), state.messages, errors);
    state.settings.language = languageForLocale(QLocale::system().name());
    // The windows are created in a fixed order; the main window comes first.
    DialogPrompts prompts;
    TForm1 form1(state, *platform, errors, prompts);
    prompts.setWindow(&form1);
    // Said once the window is on the screen (asking the desktop, a second X connection
    // and the system bus, does not hold up the start), normally in the language the
    // settings dialog puts in. Connected at once: an error box while the other windows
    // are made runs the start-up step already.
    QObject::connect(
        &form1, &TForm1::startupStepDone, &form1,
        [&] {
            const QString off =
                UserMessages::desktopActionsOff(state.messages, platform->capabilities());
            if (!off.isEmpty()) {
                errors.report(off);
            }
        },
        Qt::QueuedConnection);
    errors.useTray(state, form1.trayIcon());
    TAboutF aboutF(state, &form1);
    // The settings dialog comes last: creating it puts the language into every window.
    TPropertiesF propertiesF(form1, state, *platform, errors, prompts);
    return QApplication::exec();
}
