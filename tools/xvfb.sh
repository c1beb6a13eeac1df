# Sourced by the test script: starts a private Xvfb and exports DISPLAY.
#
# JUCE asks the X server only for atoms that already exist for several window
# properties; a bare Xvfb without a window manager has none of them, and
# creating a window then fails. We intern them once; -noreset keeps them alive
# between clients.

juce_x11_atoms=(
    WM_PROTOCOLS WM_TAKE_FOCUS WM_DELETE_WINDOW WM_CHANGE_STATE WM_STATE
    _NET_WM_PING _NET_WM_PID _NET_WM_USER_TIME _NET_ACTIVE_WINDOW _NET_WM_ICON
    _NET_WM_WINDOW_TYPE _NET_WM_WINDOW_TYPE_NORMAL _NET_WM_WINDOW_TYPE_COMBO
    _NET_WM_STATE _NET_WM_STATE_HIDDEN _NET_WM_STATE_ABOVE _NET_WM_STATE_SKIP_TASKBAR
    _NET_WM_STATE_FULLSCREEN _NET_WM_STATE_MAXIMIZED_HORZ _NET_WM_STATE_MAXIMIZED_VERT
    _NET_WM_ALLOWED_ACTIONS _NET_WM_ACTION_RESIZE _NET_WM_ACTION_FULLSCREEN
    _NET_WM_ACTION_MINIMIZE _NET_WM_ACTION_CLOSE
    _NET_FRAME_EXTENTS _NET_WORKAREA _NET_WM_CM_S0
    _MOTIF_WM_HINTS _WIN_HINTS KWM_WIN_DECORATION _KDE_NET_WM_WINDOW_TYPE_OVERRIDE
    _XEMBED _XEMBED_INFO UTF8_STRING
)

start_xvfb()
{
    local n
    for n in $(seq 90 120); do
        if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
            break
        fi
    done

    Xvfb ":$n" -screen 0 1600x1000x24 -noreset -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
    export DISPLAY=":$n"

    local tries
    for tries in $(seq 1 50); do
        xprop -root >/dev/null 2>&1 && break
        sleep 0.1
    done

    local atom
    for atom in "${juce_x11_atoms[@]}"; do
        xprop -root -f BRINDLEMARK_ATOM 32a -set BRINDLEMARK_ATOM "$atom"
    done
    xprop -root -remove BRINDLEMARK_ATOM
}
