#pragma once

#include <QRect>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "support/rig/process.h"

// The X side of the rig: a private Xvfb server, a tray host, a window manager, and
// an Xlib view of the windows on that server.
namespace rig {

// Xvfb on a display number the server picks itself (-displayfd), so parallel tests
// never collide. Ready once xdpyinfo answers.
class XServer {
  public:
    // `arguments` go to Xvfb after the rig's own ("-extension", "XTEST" leaves it out).
    XServer(const QString& logDir, const Environment& base, const QStringList& arguments = {});
    QString display() const { return display_; }  // ":N"
    bool running() { return process_.running(); }

  private:
    ChildProcess process_;
    QString display_;
};

struct XWindowInfo {
    std::uint64_t id = 0;
    QString title;     // _NET_WM_NAME, else WM_NAME
    QString instance;  // WM_CLASS, first part
    QString klass;     // WM_CLASS, second part
    bool viewable = false;
    QRect rect;  // in root coordinates
};

// A connection of the test itself to the server, for looking at windows.
class XInspector {
  public:
    explicit XInspector(const QString& display);
    ~XInspector();
    XInspector(const XInspector&) = delete;
    XInspector& operator=(const XInspector&) = delete;

    // The application windows on the screen, in stacking order, bottom first: each
    // child of the root, or the client inside it when a window manager framed it.
    std::vector<XWindowInfo> topLevels();
    std::vector<XWindowInfo> topLevelsTitled(const QString& title, bool viewableOnly);
    // One window as it is now; a window that is gone has id 0.
    XWindowInfo window(std::uint64_t id);
    // The child of the root that holds `id`: its frame under a window manager, the
    // window itself without one.
    std::uint64_t frameOf(std::uint64_t id);
    // The child of the root on top of the stack.
    std::uint64_t topmost();
    // The ICCCM state a window manager gave the window: "Normal", "Iconic", or empty.
    QString wmState(std::uint64_t id);
    // Asks the window to close, as a window manager's close button does
    // (WM_DELETE_WINDOW); needs no XTEST.
    void requestClose(std::uint64_t id);

    // Windows of the given WM_CLASS instance docked in a tray host's panel.
    std::vector<XWindowInfo> dockedTrayIcons(const QString& instance);

    std::uint64_t selectionOwner(const char* selection);
    bool rootHasProperty(const char* property);

    // Counts the windows created anywhere on the screen from now on.
    void watchWindowCreation();
    int windowsCreatedSinceWatch();

  private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

// trayer as the notification area; ready once it owns the _NET_SYSTEM_TRAY_S0
// selection, which is what a tray icon looks for.
class TrayHost {
  public:
    TrayHost(const QString& logDir, const Environment& env, XInspector& x);

  private:
    ChildProcess process_;
};

// matchbox-window-manager; ready once it announces itself on the root window
// (_NET_SUPPORTING_WM_CHECK).
class WindowManager {
  public:
    WindowManager(const QString& logDir, const Environment& env, XInspector& x);

  private:
    ChildProcess process_;
};

// Screen and keyboard, through the ordinary X tools.
// ImageMagick's import of the root window: xwd reads popups, and the area around a
// shaped window's letters, as black on this server.
void screenshot(const Environment& env, const QString& pngPath);
// Text that tesseract reads in a part of a screenshot, enlarged `scale` times first;
// `singleLine` reads the part as one line of text.
QString readText(const Environment& env, const QString& pngPath, const QRect& area,
                 const QString& workPath, int scale = 3, bool singleLine = false);
// Number of distinct colours in a part of a screenshot.
int distinctColours(const Environment& env, const QString& pngPath, const QRect& area);
// Gives `window` the keyboard focus and types `keys` (xdotool syntax, "ctrl+s")
// through the XTEST extension, as a real keyboard would.
void pressKeys(const Environment& env, std::uint64_t window, const QString& keys);

}  // namespace rig
