#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "support/rig/desktop.h"
#include "support/rig/user.h"

// The real program on a private X server without a window manager, in a fresh home,
// driven with xdotool as its user would.
class XSession : public rig::Desktop, public rig::User {
  public:
    XSession();

    QString path(const QString& name) { return home().work(name); }
    // QUENDA.ini loading the file given (empty: none). The editor is driven through
    // its Russian captions and menu positions.
    void writeSettings(const QString& loadFile = QString());

    // Starts the program and waits for its main window; returns the window's id, ""
    // when none showed.
    QString startQuenda();
    // Ctrl+Q on the main window; true when the program ended within the time.
    bool quitQuenda() { return quenda_ && quenda_->quit(environment()); }
    // The witness client, living until the session ends.
    void startWitness(const QStringList& titles, const QStringList& options) {
        witness_.emplace(home(), environment(), titles, options);
    }

  private:
    std::optional<rig::Quenda> quenda_;
    std::optional<rig::Witness> witness_;
};
