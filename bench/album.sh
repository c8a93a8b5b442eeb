#!/bin/sh
# Whole-album benchmark: a 60-second album (24 photos of 4000 × 3000, the
# 60-second sample song with its LRC lyrics, two moving texts) made by
# `orvane make` as a 1280 × 720 high-quality DVD, against, in the same run:
#   (a) the ffmpeg tool encoding 1500 raw 1280 × 720 frames with the same
#       MPEG-2 settings (the limit: the album cannot be faster than that),
#   (b) an ffmpeg zoompan + xfade slideshow of the same photos and song,
#   (c) MLT's melt slideshow of them.
# Each is timed with /usr/bin/time -v (wall time, peak memory, CPU use).
#
#   bench/album.sh [BUILD]      (default: build)
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "${1:-build}" && pwd)
WORK=${ALBUM_BENCH_DIR:-/tmp/orvane-album-bench}
FRAMES=1500
SONG="$BUILD/yinyuegeci/甜蜜蜜.mp3"
LRC="$BUILD/yinyuegeci/甜蜜蜜.lrc"
mkdir -p "$WORK/photos" "$WORK/out"
rm -f "$WORK"/out/*

# The MPEG-2 settings orvane uses for a high-quality 1280 × 720 DVD.
MPEG2="-c:v mpeg2video -b:v 8000k -maxrate 9000k -bufsize 1835008 -g 15 -bf 2 -pix_fmt yuv420p"
AUDIO="-c:a mp2 -b:a 224k -ar 48000"

# shellcheck source=bench/benchmark_photos.sh
. "$ROOT/bench/benchmark_photos.sh"
benchmark_photos "$WORK/photos"
PHOTOS=$(ls "$WORK"/photos/*.jpg)

# 25 distinct raw frames (a pan over a photo), played 60 times: 1500 frames.
if [ ! -s "$WORK/frames25.raw" ]; then
    ffmpeg -v error -y -i "$WORK/photos/01.jpg" \
        -vf "scale=1600:1200,zoompan=z=1.2:x='iw*0.1+on*8':y='ih*0.1':d=25:s=1280x720:fps=25" \
        -frames:v 25 -pix_fmt bgra -f rawvideo "$WORK/frames25.raw"
fi

# Runs a command under /usr/bin/time -v; prints "seconds peakMB cpu%".
measure() {
    name=$1
    shift
    /usr/bin/time -v -o "$WORK/out/$name.time" "$@" > "$WORK/out/$name.log" 2>&1 || {
        echo "$name failed, see $WORK/out/$name.log" >&2
        tail -5 "$WORK/out/$name.log" >&2
        echo "0 0 0"
        return
    }
    awk -F': ' '
        /Elapsed \(wall clock\)/ { n = split($2, t, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + t[i] }
        /Maximum resident set size/ { mb = $2 / 1024 }
        /Percent of CPU/ { cpu = $2 }
        END { printf "%.2f %.0f %s\n", s, mb, cpu }' "$WORK/out/$name.time"
}

# The album.
rm -rf "$WORK/root" && mkdir -p "$WORK/root"
cp -r "$BUILD/smxcwjj" "$WORK/root/"
# shellcheck disable=SC2086
album=$(measure album "$BUILD/orvane" make --root "$WORK/root" --seed 7 --photos $PHOTOS \
    --music "$SONG" --lrc "$LRC" --sync music \
    --text "甜蜜时光 · 相册回忆|00:03|congzuoxiangyou|clYellow|黑体|22" \
    --text "Orvane 示例相册|00:30|congyouxiangzuo|clWhite|宋体|18" \
    --format dvd --size 1280x720 --quality high -o "$WORK/out/album")

# (a) ffmpeg encoding 1500 raw frames with the same settings.
# shellcheck disable=SC2086
encode=$(measure encode ffmpeg -v error -y -f rawvideo -pix_fmt bgra -s 1280x720 -r 25 \
    -stream_loop 59 -i "$WORK/frames25.raw" -frames:v $FRAMES $MPEG2 -f dvd "$WORK/out/raw.mpg")

# (b) an ffmpeg slideshow: each photo zooms for 3 s, 0.5 s cross-fades.
inputs=""
filters=""
n=0
for p in $PHOTOS; do
    inputs="$inputs -i $p"
    filters="$filters[$n:v]scale=1600:1200,zoompan=z='min(zoom+0.0015,1.2)':d=75:s=1280x720:fps=25,setsar=1,format=yuv420p[v$n];"
    n=$((n + 1))
done
last="v0"
i=1
while [ $i -lt $n ]; do
    offset="$((i * 25 / 10)).$((i * 25 % 10))"
    filters="$filters[$last][v$i]xfade=transition=fade:duration=0.5:offset=$offset[x$i];"
    last="x$i"
    i=$((i + 1))
done
filters="${filters%;}"
# shellcheck disable=SC2086
slideshow=$(measure slideshow ffmpeg -v error -y $inputs -i "$SONG" -filter_complex "$filters" \
    -map "[$last]" -map "$n:a" -frames:v $FRAMES $MPEG2 $AUDIO -shortest -f dvd "$WORK/out/slideshow.mpg")

# (c) melt: each photo 75 frames, 12-frame luma mixes, the song under it.
meltargs=""
for p in $PHOTOS; do
    if [ -z "$meltargs" ]; then meltargs="$p out=74"; else meltargs="$meltargs $p out=74 -mix 12 -mixer luma"; fi
done
# shellcheck disable=SC2086
melt=$(measure melt melt -silent $meltargs -audio-track "$SONG" out=$((FRAMES - 1)) \
    -profile atsc_720p_25 -consumer "avformat:$WORK/out/melt.mpg" f=dvd vcodec=mpeg2video \
    vb=8000k maxrate=9000k bufsize=1835008 g=15 bf=2 acodec=mp2 ab=224k ar=48000 \
    out=$((FRAMES - 1)) real_time=-2)

frames_of() { ffprobe -v error -count_frames -select_streams v:0 -show_entries stream=nb_read_frames -of default=nw=1:nk=1 "$1" 2>/dev/null || echo 0; }

echo
echo "| run | frames | seconds | frames/s | peak MB | CPU | album speed ratio |"
echo "|---|---|---|---|---|---|---|"
album_s=$(echo "$album" | cut -d' ' -f1)
for row in "orvane make (album):album:$album:album.mpg" "(a) ffmpeg raw encode:encode:$encode:raw.mpg" \
           "(b) ffmpeg zoompan+xfade:slideshow:$slideshow:slideshow.mpg" "(c) melt slideshow:melt:$melt:melt.mpg"; do
    label=$(echo "$row" | cut -d: -f1)
    values=$(echo "$row" | cut -d: -f3)
    file=$(echo "$row" | cut -d: -f4)
    s=$(echo "$values" | cut -d' ' -f1)
    mb=$(echo "$values" | cut -d' ' -f2)
    cpu=$(echo "$values" | cut -d' ' -f3)
    f=$(frames_of "$WORK/out/$file")
    fps=$(echo "$s $f" | awk '{ if ($1 > 0) printf "%.1f", $2 / $1; else print "-" }')
    ratio=$(echo "$s $album_s $f" | awk -v frames=$FRAMES '{ if ($1 > 0 && $2 > 0) printf "%.2f", (frames / $2) / ($3 / $1); else print "-" }')
    echo "| $label | $f | $s | $fps | $mb | $cpu | $ratio |"
done
echo
echo "album speed ratio: the album's frames per second over the run's (above 1: the album is faster)."
echo "outputs and logs: $WORK/out"
