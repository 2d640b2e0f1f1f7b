#include "platform/sessionchoice.h"

#include <QtGlobal>

SessionEnvironment SessionEnvironment::current() {
    return {qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"), qgetenv("DISPLAY"),
            qgetenv("XDG_SESSION_TYPE")};
}

SessionChoice chooseSession(const SessionEnvironment& environment, SessionProgram program) {
    const bool wayland =
        !environment.waylandDisplay.isEmpty() || environment.sessionType == "wayland";
    const bool x11 = !environment.display.isEmpty();
    SessionChoice choice;
    if (wayland)
        choice.kind = x11 ? SessionKind::XWayland : SessionKind::WaylandOnly;
    else
        choice.kind = x11 ? SessionKind::X11 : SessionKind::NoDisplay;
    if (!environment.qpaPlatform.isEmpty())
        return choice;
    if (program == SessionProgram::Player)
        choice.qpaPlatform = x11 ? "xcb;offscreen" : "offscreen";
    else
        choice.qpaPlatform = x11 ? "xcb;offscreen" : "wayland;offscreen";
    return choice;
}

SessionKind applySessionChoice(SessionProgram program) {
    const SessionChoice choice = chooseSession(SessionEnvironment::current(), program);
    if (!choice.qpaPlatform.isEmpty())
        qputenv("QT_QPA_PLATFORM", choice.qpaPlatform);
    return choice.kind;
}

QString noInputReason(SessionKind kind, const QString& qtPlatform, bool japanese) {
    const auto text = [japanese](const char* ja, const char* en) {
        return japanese ? QString::fromUtf8(ja) : QString::fromUtf8(en);
    };
    if (qtPlatform.startsWith(QLatin1String("wayland"))) {
        const QString native =
            text("Kestrun は Wayland のプログラムとして動いています。Wayland "
                 "では、他のプログラムへキーボードとマウスの入力を送ることができません。",
                 "Kestrun runs as a native Wayland program here, and Wayland lets no program "
                 "send keyboard and mouse input to others.");
        if (kind == SessionKind::XWayland)
            return native + text("QT_QPA_PLATFORM=wayland を付けずに起動すると XWayland "
                                 "を使います。",
                                 " Start it without QT_QPA_PLATFORM=wayland to use XWayland.");
        return native + text("このセッションには X ディスプレイ（XWayland）もありません。",
                             " This session has no X display (XWayland) either.");
    }
    switch (kind) {
    case SessionKind::WaylandOnly:
        return text("この Wayland セッションには X ディスプレイがありません（DISPLAY "
                    "が未設定で、XWayland が動いていません）。Wayland "
                    "では、他のプログラムへキーボードとマウスの入力を送ることができません。"
                    "Kestrun には X11 のセッションか XWayland が必要です。",
                    "This Wayland session has no X display (DISPLAY is not set: XWayland is not "
                    "running), and Wayland lets no program send keyboard and mouse input to "
                    "others. Kestrun needs an X11 session or XWayland.");
    case SessionKind::NoDisplay:
        return text("ディスプレイがありません（DISPLAY も WAYLAND_DISPLAY も未設定です）。",
                    "There is no display: neither DISPLAY nor WAYLAND_DISPLAY is set.");
    case SessionKind::X11:
    case SessionKind::XWayland:
        break;
    }
    const QString display = QString::fromLocal8Bit(qgetenv("DISPLAY"));
    return japanese ? QStringLiteral("X ディスプレイ %1 に接続できないか、XTest "
                                     "拡張がありません。")
                          .arg(display)
                    : QStringLiteral("The X display %1 cannot be reached or lacks the XTest "
                                     "extension.")
                          .arg(display);
}
