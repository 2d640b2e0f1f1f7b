#pragma once

#include <QByteArray>
#include <QString>

// The desktop session a program starts in, read from its environment before
// Qt picks a platform plugin. Input is synthesised through X11 only: on
// Wayland no program may send keyboard and mouse input to others.
enum class SessionKind {
    X11,         // an X display and no Wayland
    XWayland,    // a Wayland session with an X display: X11 programs only
    WaylandOnly, // a Wayland session without an X display
    NoDisplay,   // neither
};

struct SessionEnvironment {
    QByteArray qpaPlatform;    // QT_QPA_PLATFORM
    QByteArray waylandDisplay; // WAYLAND_DISPLAY
    QByteArray display;        // DISPLAY
    QByteArray sessionType;    // XDG_SESSION_TYPE

    static SessionEnvironment current();
};

enum class SessionProgram { Window, Player };

struct SessionChoice {
    SessionKind kind = SessionKind::NoDisplay;
    // What QT_QPA_PLATFORM becomes before Qt starts; empty leaves Qt's choice.
    QByteArray qpaPlatform;
};

// A platform the user set in QT_QPA_PLATFORM is kept. Otherwise the window
// goes to XWayland where a Wayland session offers one, so that it can
// capture, hotkey and synthesise for X11 programs. Both programs fall back to
// the offscreen platform, where Qt would otherwise abort, so they can say
// what is missing: the player, which shows no window, then runs there.
SessionChoice chooseSession(const SessionEnvironment& environment, SessionProgram program);

// Chooses for this process and sets QT_QPA_PLATFORM; call before the
// application object exists.
SessionKind applySessionChoice(SessionProgram program);

// Why input cannot be synthesised here, for a session of `kind` in which Qt
// runs on `qtPlatform`.
QString noInputReason(SessionKind kind, const QString& qtPlatform, bool japanese);
