# Sourced by the album benchmarks: makes the benchmark album's 24 photos of
# 4000 × 3000 in $1 from the bundled samples (mirrored for the second dozen),
# unless the folder already holds 24.
# Needs ROOT (the repository) set by the caller.
benchmark_photos() {
    local folder=$1 i=0
    mkdir -p "$folder"
    [ "$(ls "$folder" | wc -l)" -eq 24 ] && return 0
    for flip in "" "-flop"; do
        for p in "$ROOT"/assets/photos/*.jpg; do
            i=$((i + 1))
            # shellcheck disable=SC2086
            convert "$p" $flip -resize '4000x3000^' -gravity center -extent 4000x3000 \
                -quality 90 "$folder/$(printf %02d $i).jpg"
        done
    done
}
