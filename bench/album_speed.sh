#!/bin/bash
# Album speed against the encoding limit, as ratios measured in the same run.
#
# The 60-second benchmark album (24 photos of 4000 × 3000, the 60-second
# sample song with its LRC lyrics, two moving texts; see album.sh) is made
# by `orvane make` as a high-quality DVD at 1280 × 720 and at 1920 × 1080.
# Right before each make, the ffmpeg tool encodes the same number of raw
# frames of that size with the same MPEG-2 settings. The ratio is the
# album's frames per second over ffmpeg's (1 = as fast as encoding alone).
# On a shared machine one pair says little, so ROUNDS pairs are run and the
# median ratio is reported. CPU seconds (user + system) are shown as well.
#
#   bench/album_speed.sh [BUILD [ROUNDS [OTHER_BUILD]]]
# OTHER_BUILD, when given, is made in each round too (an older build to
# compare with; it needs orvane, smxcwjj and yinyuegeci like BUILD).
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "${1:-build}" && pwd)
ROUNDS=${2:-3}
OTHER=${3:+$(cd "$3" && pwd)}
WORK=${ALBUM_BENCH_DIR:-/tmp/orvane-album-bench}
FRAMES=1500
mkdir -p "$WORK/photos" "$WORK/out"

MPEG2="-c:v mpeg2video -b:v 8000k -maxrate 9000k -bufsize 1835008 -g 15 -bf 2 -pix_fmt yuv420p"

# shellcheck source=bench/benchmark_photos.sh
. "$ROOT/bench/benchmark_photos.sh"
benchmark_photos "$WORK/photos"

# 25 distinct raw frames (a pan over a photo) of each size, looped to 1500.
raw_frames() {
    local w=$1 h=$2 file="$WORK/frames-$1x$2.raw"
    if [ ! -s "$file" ]; then
        ffmpeg -v error -y -i "$WORK/photos/01.jpg" \
            -vf "scale=$((w * 5 / 4)):$((w * 15 / 16)),zoompan=z=1.2:x='iw*0.1+on*8':y='ih*0.1':d=25:s=${w}x${h}:fps=25" \
            -frames:v 25 -pix_fmt bgra -f rawvideo "$file"
    fi
    echo "$file"
}

# Runs a command; prints "wall cpu" in seconds.
timed() {
    local out="$WORK/out/time"
    /usr/bin/time -f "%e %U %S" -o "$out" "$@" > "$WORK/out/run.log" 2>&1 || {
        echo "failed: $*" >&2
        tail -5 "$WORK/out/run.log" >&2
        exit 1
    }
    awk '{ printf "%.2f %.2f\n", $1, $2 + $3 }' "$out"
}

make_album() {
    local build=$1 size=$2
    rm -rf "$WORK/root" && mkdir -p "$WORK/root" && cp -r "$build/smxcwjj" "$WORK/root/"
    timed "$build/orvane" make --root "$WORK/root" --seed 7 --photos "$WORK"/photos/*.jpg \
        --music "$build/yinyuegeci/甜蜜蜜.mp3" --lrc "$build/yinyuegeci/甜蜜蜜.lrc" --sync music \
        --text "甜蜜时光 · 相册回忆|00:03|congzuoxiangyou|clYellow|黑体|22" \
        --text "Orvane 示例相册|00:30|congyouxiangzuo|clWhite|宋体|18" \
        --format dvd --size "$size" --quality high -o "$WORK/out/album"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo "| size | round | ffmpeg s (cpu) | orvane s (cpu) | ratio |${OTHER:+ other s (cpu) | other ratio |}"
echo "|---|---|---|---|---|${OTHER:+---|---|}"
for size in 1280x720 1920x1080; do
    w=${size%x*}
    h=${size#*x}
    raw=$(raw_frames "$w" "$h")
    : > "$WORK/out/ratios-$size"
    : > "$WORK/out/other-$size"
    for r in $(seq "$ROUNDS"); do
        # shellcheck disable=SC2086
        enc=$(timed ffmpeg -v error -y -f rawvideo -pix_fmt bgra -s "$size" -r 25 -stream_loop 59 \
            -i "$raw" -frames:v $FRAMES $MPEG2 -f dvd "$WORK/out/raw.mpg")
        ours=$(make_album "$BUILD" "$size")
        ratio=$(echo "$enc $ours" | awk '{ printf "%.2f", $1 / $3 }')
        echo "$ratio" >> "$WORK/out/ratios-$size"
        row="| $size | $r | ${enc% *} (${enc#* }) | ${ours% *} (${ours#* }) | $ratio |"
        if [ -n "$OTHER" ]; then
            other=$(make_album "$OTHER" "$size")
            oratio=$(echo "$enc $other" | awk '{ printf "%.2f", $1 / $3 }')
            echo "$oratio" >> "$WORK/out/other-$size"
            row="$row ${other% *} (${other#* }) | $oratio |"
        fi
        echo "$row"
    done
    echo "| $size | median | | | $(median < "$WORK/out/ratios-$size") |${OTHER:+ | $(median < "$WORK/out/other-$size") |}"
done
echo
echo "ratio: ffmpeg's seconds over orvane's for the same $FRAMES frames (1 = as fast as encoding alone)."
