#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

struct _XDisplay;

// Window lookup and window commands on an X display.
//
// The program thinks in top-level windows with a caption, as a user sees them. On
// X a window manager wraps each application window (the client) in frame windows
// of its own, so the top-level children of the root are frames. The client is the
// window that carries WM_STATE somewhere inside the frame; without a window manager
// the top-level window is the client itself. Window ids handed out are client ids.
//
// Every call survives windows that vanish under it: X errors on this connection
// are swallowed for the length of the call.
class X11Windows {
  public:
    using Id = unsigned long;

    explicit X11Windows(_XDisplay* display);

    // The first client in stacking order, top first, whose caption is exactly
    // `caption`, whether shown, iconified or hidden; 0 when there is none.
    Id find(const QString& caption);
    // Captions of the shown clients in stacking order, top first, each cut to 127
    // characters; clients without a caption are left out.
    QStringList visibleCaptions();
    // The caption of one window (_NET_WM_NAME, else WM_NAME), uncut.
    QString caption(Id window);

    // Asks the window manager to close the window (_NET_CLOSE_WINDOW), as its close
    // button does. Without one, the window itself is asked (WM_DELETE_WINDOW) and a
    // window that does not take that request is left alone.
    void close(Id window);
    void minimize(Id window);
    // Shows the window maximised and active; an iconified window comes back.
    void maximize(Id window);
    // Makes the window the active, topmost one; an iconified window stays iconified.
    void raise(Id window);
    // The window on the screen, with the window manager's decoration when it tells
    // its size; an empty rectangle when the window does not exist.
    QRect rect(Id window);

    static constexpr int kCaptionLimit = 127;
    // Cuts a caption to `kCaptionLimit` characters without splitting a character.
    static QString cutCaption(const QString& caption);

  private:
    struct TopLevel {
        Id frame;   // child of the root
        Id client;  // the application's window inside it (or the frame itself)
    };
    std::vector<TopLevel> topLevelsTopFirst();
    Id clientOf(Id frame);
    Id frameOf(Id window);
    long wmState(Id window);  // WM_STATE: 1 normal, 3 iconic; -1 when absent
    bool windowManagerSupports(const char* atomName);
    bool hasWindowManager();
    void sendToRoot(Id window, const char* messageType, long l0, long l1, long l2, long l3);
    unsigned long atom(const char* name);

    _XDisplay* display_;
};
