#!/bin/sh
# MP4 benchmark: `orvane make --format mp4` at 1280 × 720, "high" and
# "normal", on two albums:
#   sample  the bundled sample album (12 photos, the sample song looped, its
#           LRC and KSC lyrics, two moving texts), as `make demo` makes it;
#   bench24 the 24-photo album of bench/album.sh (4000 × 3000 photos, the
#           60-second sample song, 1500 frames).
# Each make is timed against the ffmpeg tool encoding the same number of raw
# 1280 × 720 frames (a pan over a photo) with the same x264 settings and the
# same song as AAC: the album cannot be faster than that. Then the preset
# sweep that chose the two qualities: the first 500 frames of the sample
# album (made as JPEG pictures at quality 2) encoded by ffmpeg with several
# x264 presets and rate factors: seconds, size and SSIM against the pictures.
#
#   bench/mp4.sh [BUILD]   (default: build; work files in $MP4_BENCH_DIR,
#                           default /tmp/orvane-mp4-bench)
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "${1:-build}" && pwd)
WORK=${MP4_BENCH_DIR:-/tmp/orvane-mp4-bench}
SONGS="$BUILD/yinyuegeci"
SONG="$SONGS/甜蜜蜜.mp3"
mkdir -p "$WORK/photos" "$WORK/out"
rm -rf "$WORK"/out/*

# The x264 settings orvane uses at 1280 × 720 (level 3.1), by quality.
x264_settings() {
    case $1 in
    high) echo "-preset medium -crf 20 -refs 3" ;;
    normal) echo "-preset veryfast -crf 23 -refs 1" ;;
    esac
}
COMMON="-c:v libx264 -profile:v high -level 3.1 -g 125 -maxrate 17500k -bufsize 17500k \
 -pix_fmt yuv420p -colorspace bt709 -color_primaries bt709 -color_trc bt709 -movflags +faststart"
audio_kbps() { [ "$1" = high ] && echo 192 || echo 128; }

# shellcheck source=bench/benchmark_photos.sh
. "$ROOT/bench/benchmark_photos.sh"
benchmark_photos "$WORK/photos"

# 25 distinct raw frames (a pan over a photo), looped to any length.
if [ ! -s "$WORK/frames25.raw" ]; then
    ffmpeg -v error -y -i "$WORK/photos/01.jpg" \
        -vf "scale=1600:1200,zoompan=z=1.2:x='iw*0.1+on*8':y='ih*0.1':d=25:s=1280x720:fps=25" \
        -frames:v 25 -pix_fmt bgra -f rawvideo "$WORK/frames25.raw"
fi

# Runs a command (or a function of this script); prints its wall seconds.
measure() {
    name=$1
    shift
    start=$(date +%s.%N)
    "$@" > "$WORK/out/$name.log" 2>&1 || {
        echo "$name failed, see $WORK/out/$name.log" >&2
        tail -5 "$WORK/out/$name.log" >&2
        echo 0
        return
    }
    end=$(date +%s.%N)
    echo "$start $end" | awk '{ printf "%.2f", $2 - $1 }'
}

frames_of() {
    ffprobe -v error -select_streams v:0 -show_entries stream=nb_frames \
        -of default=nw=1:nk=1 "$1" 2>/dev/null || echo 0
}
size_mb() { [ -f "$1" ] && awk -v b="$(stat -c %s "$1")" 'BEGIN { printf "%.1f", b / 1048576 }' || echo -; }

# A fresh root with the template store for every make.
fresh_root() {
    rm -rf "$WORK/root" && mkdir -p "$WORK/root"
    cp -r "$BUILD/smxcwjj" "$WORK/root/"
}

make_sample() {
    fresh_root
    "$BUILD/orvane" make --root "$WORK/root" --seed 2026 \
        --photos "$ROOT"/assets/photos/*.jpg \
        --music "$SONG" --lrc "$SONGS/甜蜜蜜.lrc" --ksc "$SONGS/甜蜜蜜.ksc" \
        --lyric-kind both --loop-music \
        --text "甜蜜时光 · 相册回忆|00:03|congzuoxiangyou|clYellow|黑体|22" \
        --text "Orvane 示例相册|00:40|congyouxiangzuo|clWhite|宋体|18" \
        --size 1280x720 "$@"
}

make_bench24() {
    fresh_root
    # shellcheck disable=SC2046
    "$BUILD/orvane" make --root "$WORK/root" --seed 7 --photos $(ls "$WORK"/photos/*.jpg) \
        --music "$SONG" --lrc "$SONGS/甜蜜蜜.lrc" --sync music \
        --text "甜蜜时光 · 相册回忆|00:03|congzuoxiangyou|clYellow|黑体|22" \
        --text "Orvane 示例相册|00:30|congyouxiangzuo|clWhite|宋体|18" \
        --size 1280x720 "$@"
}

echo "| album | quality | frames | orvane s | ffmpeg raw s | speed ratio | orvane MB | ffmpeg MB |"
echo "|---|---|---|---|---|---|---|---|"
for album in sample bench24; do
    for quality in high normal; do
        name="$album-$quality"
        s=$(measure "$name" "make_$album" --format mp4 --quality "$quality" -o "$WORK/out/$name")
        f=$(frames_of "$WORK/out/$name.mp4")
        # shellcheck disable=SC2046
        r=$(measure "$name-ffmpeg" ffmpeg -v error -y -f rawvideo -pix_fmt bgra -s 1280x720 \
            -r 25 -stream_loop -1 -i "$WORK/frames25.raw" -stream_loop -1 -i "$SONG" \
            -frames:v "$f" $(x264_settings "$quality") $COMMON -c:a aac \
            -b:a "$(audio_kbps "$quality")k" -ar 44100 -shortest "$WORK/out/$name-ffmpeg.mp4")
        ratio=$(echo "$s $r" | awk '{ if ($1 > 0) printf "%.2f", $2 / $1; else print "-" }')
        echo "| $album | $quality | $f | $s | $r | $ratio | $(size_mb "$WORK/out/$name.mp4") |" \
            "$(size_mb "$WORK/out/$name-ffmpeg.mp4") |"
    done
done
echo
echo "speed ratio: ffmpeg's seconds over orvane's (1: as fast as encoding raw frames alone;"
echo "orvane also decodes the photos, plays the templates and draws lyrics and texts)."

# The preset sweep.
fresh_root
make_sample --format jpg --quality high -o "$WORK/out/sample-pictures" > "$WORK/out/pictures.log" 2>&1
SWEEP_FRAMES=500
echo
echo "| x264 preset | crf | seconds | frames/s | MB (500 frames) | SSIM |"
echo "|---|---|---|---|---|---|"
for choice in "veryfast 23" "veryfast 20" "faster 22" "medium 23" "medium 20" "medium 18" "slow 20"; do
    set -- $choice
    name="sweep-$1-$2"
    s=$(measure "$name" ffmpeg -v error -y -framerate 25 -i "$WORK/out/sample-pictures/%02d.JPG" \
        -frames:v $SWEEP_FRAMES -c:v libx264 -preset "$1" -crf "$2" -profile:v high -level 3.1 \
        -g 125 -maxrate 17500k -bufsize 17500k -pix_fmt yuv420p "$WORK/out/$name.mp4")
    ssim=$(ffmpeg -v info -i "$WORK/out/$name.mp4" -framerate 25 \
        -i "$WORK/out/sample-pictures/%02d.JPG" -frames:v $SWEEP_FRAMES \
        -lavfi "[1:v]format=yuv420p[ref];[0:v][ref]ssim" -f null - 2>&1 |
        sed -n 's/.*All:\([0-9.]*\).*/\1/p' | tail -1)
    fps=$(echo "$s" | awk -v f=$SWEEP_FRAMES '{ if ($1 > 0) printf "%.0f", f / $1; else print "-" }')
    echo "| $1 | $2 | $s | $fps | $(size_mb "$WORK/out/$name.mp4") | $ssim |"
done
echo
echo "outputs and logs: $WORK/out"
