#include "x_session.h"

XSession::XSession() : rig::User(environment(), home().workDir()) {}

void XSession::writeSettings(const QString& loadFile) {
    files::Settings settings;
    settings.language = "Russian";
    home().writeSettings(settings, loadFile);
}

QString XSession::startQuenda() {
    quenda_.emplace(home(), environment());
    const std::optional<rig::XWindowInfo> window = quenda_->waitForMainWindow(x());
    if (!window) {
        return QString();
    }
    const QString id = QString::number(window->id);
    rig::settle(rig::milliseconds(300));
    focus(id);
    return id;
}
