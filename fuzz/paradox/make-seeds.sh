#!/bin/sh
# make-seeds.sh OUTDIR TABLE.DB...: one seed per table, in the fuzzer's input shape.
set -eu
out=$1
shift
mkdir -p "$out"
for db in "$@"; do
    base=${db%.*}
    mb=
    for ext in mb MB Mb mB; do
        [ -f "$base.$ext" ] && mb="$base.$ext"
    done
    seed="$out/$(basename "$db").seed"
    python3 -c 'import struct,sys; sys.stdout.buffer.write(struct.pack("<I", int(sys.argv[1])))' \
        "$(stat -c %s "$db")" >"$seed"
    cat "$db" >>"$seed"
    if [ -n "$mb" ]; then cat "$mb" >>"$seed"; fi
done
