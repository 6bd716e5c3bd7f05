# Sourced by the measuring scripts: a private X server and a private home
# folder for the game, so the player's settings and scores are never touched,
# both gone when the script ends. The script sets `gpid` to the game's process
# once it has started it; that process ends with the script too.
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 1; }
done

home=$(mktemp -d)
display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done

xpid=""
gpid=""
cleanup() {
  [ -n "$gpid" ] && kill "$gpid" 2>/dev/null || true
  [ -n "$xpid" ] && kill "$xpid" 2>/dev/null || true
  rm -rf "$home"
}
trap cleanup EXIT INT TERM

Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xpid=$!
waited=0
until [ -e "/tmp/.X11-unix/X$display" ]; do
  sleep 0.1
  waited=$((waited + 1))
  [ "$waited" -lt 100 ] || { echo "the X server did not start" >&2; exit 1; }
done

export DISPLAY=":$display" HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share"
unset QT_QPA_PLATFORM
