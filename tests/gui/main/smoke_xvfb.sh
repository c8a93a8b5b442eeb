#!/bin/sh
# Starts the real program under a virtual X server on a prepared working
# folder, waits for the main window, takes a screenshot, ends the program
# through the exit window (the close control, then "确定"; with SIGTERM
# where xdotool is missing) and checks that it exits 0 and leaves the folder
# cleaned.
# Usage: smoke_xvfb.sh ORVANE OUT_DIR [WIDTHxHEIGHT]
set -eu
orvane=$1
out=$2
size=${3:-1366x768}
rm -rf "$out"
mkdir -p "$out/root/smxcwjj/wj_0_or_2/wjj_01" "$out/root/smxcwjj/wj_0_or_2/wjj_02"
# A stale thumbnail of a crashed run: the start removes it.
mkdir -p "$out/root/smxcwjj/tp_wj/tp_slt_1"
echo stale > "$out/root/smxcwjj/tp_wj/tp_slt_1/tp_slt_1_1.bmp"

# A runtime folder of its own: the one-copy guard's lock lives there, and a
# window test of the same suite may hold the user's.
mkdir -p "$out/runtime"
chmod 700 "$out/runtime"

cat > "$out/session.sh" <<SESSION
#!/bin/sh
# On the X server, whatever platform the calling environment asks for.
XDG_RUNTIME_DIR="$out/runtime" QT_QPA_PLATFORM=xcb "$orvane" --root "$out/root" > "$out/orvane.log" 2>&1 &
pid=\$!
# Wait (up to 40 s on a loaded machine) for the main window to be mapped and
# viewable (xwininfo also lists windows not mapped yet).
visible() {
    if command -v xdotool >/dev/null; then
        xdotool search --onlyvisible --name 'Orvane自动套版电子相册2018' >/dev/null 2>&1
    else
        xwininfo -root -tree 2>/dev/null | grep -q 'Orvane自动套版电子相册2018'
    fi
}
i=0
while [ \$i -lt 80 ]; do
    if visible; then break; fi
    if ! kill -0 \$pid 2>/dev/null; then
        wait \$pid; echo "orvane ended early with status \$?"; exit 3
    fi
    sleep 0.5; i=\$((i + 1))
done
sleep 1
command -v import >/dev/null && import -window root "$out/main_$size.png"
if command -v xdotool >/dev/null; then
    eval "\$(xdotool search --onlyvisible --name 'Orvane自动套版电子相册2018' getwindowgeometry --shell | tail -n 5)"
    # The close control sits at the right end of the title bar.
    xdotool mousemove \$((X + WIDTH - 22)) \$((Y + 28)) sleep 0.5 click 1
    i=0
    until xdotool search --onlyvisible --name '退出本软件' >/dev/null 2>&1; do
        i=\$((i + 1))
        [ \$i -lt 20 ] || { echo "no exit window"; kill \$pid; exit 4; }
        sleep 0.5
    done
    # "取消" has the focus; one step back is "确定".
    xdotool key shift+Tab; sleep 0.3; xdotool key Return
    i=0
    while kill -0 \$pid 2>/dev/null && [ \$i -lt 20 ]; do sleep 0.5; i=\$((i + 1)); done
    kill -0 \$pid 2>/dev/null && { echo "still running after 确定"; kill \$pid; exit 5; }
else
    kill -TERM \$pid
fi
wait \$pid
SESSION
chmod +x "$out/session.sh"

status=0
xvfb-run -a -s "-screen 0 ${size}x24" "$out/session.sh" || status=$?
if [ "$status" -ne 0 ]; then
    echo "smoke: orvane exited with $status"; cat "$out/orvane.log"; exit 1
fi
if [ -e "$out/root/smxcwjj/tp_wj" ]; then
    echo "smoke: the working folder was not cleaned at exit"; exit 1
fi
echo "smoke: the windows started and ended cleanly ($out/main_$size.png)"
