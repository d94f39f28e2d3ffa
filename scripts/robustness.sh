#!/usr/bin/env bash
# Feeds the program the bad inputs of the README's robustness table and checks, for each, the exit
# code, that a message names the fault, that nothing crashed, that no temporary file and no
# output file is left behind and that the tables are unchanged. Prints the table in Markdown;
# exits 1 when any row misses its expectation.
#   scripts/robustness.sh [BUILD_DIR]      (BUILD_DIR holds app/ordemcompra and sampledb/)
set -uo pipefail
build=$(cd "${1:-build}" && pwd)
program="$build/app/ordemcompra"
sample="$build/sampledb"
[[ -x "$program" ]] || { echo "robustness: $program is not built" >&2; exit 2; }
[[ -f "$sample/OrdemCompra.DB" ]] || { echo "robustness: $sample has no sample database" >&2; exit 2; }

work=$(mktemp -d)
mounts=()
xvfb=""
cleanup() {
    for m in "${mounts[@]}"; do umount "$m" 2>/dev/null; done
    [[ -n $xvfb ]] && kill "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

export QT_QPA_PLATFORM=offscreen
unset DISPLAY WAYLAND_DISPLAY QUIREL_ALIAS_KORVANE
# No print server: the "no printer" rows must not reach a real one.
export CUPS_SERVER=/nonexistent/cups.sock
export TMPDIR="$work/tmp"
# Qt puts its runtime directory under TMPDIR when this is unset; that is not ours to count.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$TMPDIR" && mkdir -m 700 "$XDG_RUNTIME_DIR"
good_order=1
failures=0

# A copy of the sample database that a case may damage.
fresh_data() {
    local dir="$work/data-$1"
    rm -rf "$dir"
    cp -r "$sample" "$dir"
    echo "$dir"
}

tables_sum() { (cd "$1" 2>/dev/null && find . -type f -print0 | sort -z | xargs -0r sha256sum) | sha256sum; }

# Writes `value` (hex bytes) at `offset` of `file`.
patch_bytes() {
    local file=$1 offset=$2 hex=$3
    printf "$(sed 's/../\\x&/g' <<<"$hex")" | dd of="$file" bs=1 seek=$((offset)) conv=notrunc status=none
}

# row TITLE EXPECTED_EXIT DATA_DIR OUT_DIR -- command...
#   EXPECTED_EXIT "timeout" means a window waits for the operator and the run is ended by timeout.
row() {
    local title=$1 expected=$2 data=$3 out=$4
    shift 5
    local before=""
    [[ -d "$data" ]] && before=$(tables_sum "$data")
    local out_before=""
    [[ -d "$out" ]] && out_before=$(ls -A "$out" | sort)
    local stderr="$work/stderr"
    timeout -k 5 "${ROBUSTNESS_TIMEOUT:-60}" "$@" >/dev/null 2>"$stderr"
    local code=$?
    local message
    # The program's own lines, up to the usage text that follows a blank line; Qt's notes dropped.
    message=$(awk '/^$/ { exit } !/^QStandardPaths|propagateSizeHints/' "$stderr" | head -3 |
        sed 's/^ordemcompra: //; s/|/\\|/g' | paste -sd '\t' | sed 's/\t/ — /g')
    local problems=()
    case $expected in
    timeout) [[ $code == 124 ]] || problems+=("exit $code, expected the window to wait") ;;
    window) [[ $code == 124 ]] || problems+=("exit $code, expected the window to show the pages") ;;
    sigpipe) [[ $code == 141 ]] || problems+=("exit $code, expected the end by SIGPIPE") ;;
    *) [[ $code == "$expected" ]] || problems+=("exit $code, expected $expected") ;;
    esac
    ((code > 128 && code != 124 && code != 141)) && problems+=("killed by signal $((code - 128))")
    grep -qE 'Sanitizer|runtime error|Segmentation|Aborted|core dumped|[Ee]xception' "$stderr" && problems+=("crash report")
    [[ $expected != 0 && $expected != window && $expected != sigpipe && -z $message ]] && problems+=("no message")
    local leftovers
    leftovers=$(ls -A "$TMPDIR")
    [[ -n $leftovers ]] && problems+=("temporary files left: $(tr '\n' ' ' <<<"$leftovers")")
    rm -rf "${TMPDIR:?}"/*
    if [[ -d "$out" ]]; then
        local out_after
        out_after=$(ls -A "$out" | sort)
        [[ $expected != 0 && "$out_after" != "$out_before" ]] && problems+=("output directory changed: $(tr '\n' ' ' <<<"$out_after")")
    fi
    local tables="unchanged"
    if [[ -n $before && "$(tables_sum "$data")" != "$before" ]]; then
        tables="CHANGED"
        problems+=("tables changed")
    fi
    local verdict="ok"
    if ((${#problems[@]})); then
        verdict="FAIL: $(IFS=';'; echo "${problems[*]}")"
        failures=$((failures + 1))
    fi
    local shown_code=$code
    [[ $code == 124 ]] && shown_code="(waits; ended by timeout)"
    [[ $code == 141 ]] && shown_code="(SIGPIPE)"
    printf '| %s | %s | %s | %s | %s |\n' "$title" "$shown_code" "${message:-(none)}" "$tables" "$verdict"
}

out="$work/out"
mkdir -p "$out"
echo "| bad input | exit | message (stderr) | tables | checks |"
echo "| --- | --- | --- | --- | --- |"

# Order numbers.
data=$(fresh_data orders)
row "order that does not exist (999999)" 1 "$data" "$out" -- "$program" 999999 --data "$data" --pdf "$out/o.pdf"
row "order that is not a number (abc)" 1 "$data" "$out" -- "$program" abc --data "$data" --pdf "$out/o.pdf"
row "empty order number" 1 "$data" "$out" -- "$program" "" --data "$data" --pdf "$out/o.pdf"
row "order beyond 32 bits (99999999999)" 1 "$data" "$out" -- "$program" 99999999999 --data "$data" --pdf "$out/o.pdf"
row "negative order (-- -1)" 1 "$data" "$out" -- "$program" --data "$data" --pdf "$out/o.pdf" -- -1
row "export without an order" 2 "$data" "$out" -- "$program" --data "$data" --pdf "$out/o.pdf"

# Missing, truncated, corrupt and encrypted tables.
row "--data names no directory" 2 "" "$out" -- "$program" $good_order --data "$work/nowhere" --pdf "$out/o.pdf"
mkdir -p "$work/empty"
row "--data names an empty directory" 2 "$work/empty" "$out" -- "$program" $good_order --data "$work/empty" --pdf "$out/o.pdf"

data=$(fresh_data missing-table)
rm "$data/Acadprod.DB"
row "one table missing (Acadprod.DB)" 2 "$data" "$out" -- "$program" $good_order --data "$data" --pdf "$out/o.pdf"

data=$(fresh_data missing-mb)
rm "$data/OrdemCompra.MB"
row "missing .MB (OrdemCompra.MB)" 2 "$data" "$out" -- "$program" $good_order --data "$data" --pdf "$out/o.pdf"

data=$(fresh_data truncated-header)
truncate -s 100 "$data/OrdemCompra.DB"
row "table cut inside its header (OrdemCompra.DB, 100 bytes)" 2 "$data" "$out" -- "$program" $good_order --data "$data" --pdf "$out/o.pdf"

data=$(fresh_data truncated-blocks)
size=$(stat -c %s "$data/OrdemCompraItens.DB")
truncate -s $((size / 2)) "$data/OrdemCompraItens.DB"
row "table cut inside its data blocks (OrdemCompraItens.DB, half)" 2 "$data" "$out" -- "$program" $good_order --data "$data" --pdf "$out/o.pdf"

data=$(fresh_data empty-table)
: >"$data/Acadforn.DB"
row "empty table file (Acadforn.DB, 0 bytes)" 2 "$data" "$out" -- "$program" $good_order --data "$data" --pdf "$out/o.pdf"

data=$(fresh_data corrupt-header)
patch_bytes "$data/OrdemCompra.DB" 0x21 0000 # no fields
row "corrupt header (field count 0)" 2 "$data" "$out" -- "$program" $good_order --data "$data" --pdf "$out/o.pdf"

data=$(fresh_data corrupt-record-size)
patch_bytes "$data/OrdemCompraItens.DB" 0x00 ffff # record size 65535
row "corrupt header (record size 65535)" 2 "$data" "$out" -- "$program" $good_order --data "$data" --pdf "$out/o.pdf"

data=$(fresh_data corrupt-block)
header=$((0x$(xxd -s 2 -l 2 -p "$data/OrdemCompraItens.DB" | sed 's/\(..\)\(..\)/\2\1/')))
patch_bytes "$data/OrdemCompraItens.DB" $((header + 4)) ff7f # first block claims 32 KiB of records
row "corrupt data block (record bytes beyond the block)" 2 "$data" "$out" -- "$program" $good_order --data "$data" --pdf "$out/o.pdf"

data=$(fresh_data corrupt-mb)
dd if=/dev/urandom of="$data/OrdemCompra.MB" bs=1 seek=4096 count=4096 conv=notrunc status=none
row "corrupt .MB (random bytes over its second block)" 2 "$data" "$out" -- "$program" $good_order --data "$data" --pdf "$out/o.pdf"

data=$(fresh_data encrypted)
patch_bytes "$data/OrdemCompra.DB" 0x5C 78563412 # encryption code set
row "encrypted table (OrdemCompra.DB)" 2 "$data" "$out" -- "$program" $good_order --data "$data" --pdf "$out/o.pdf"

# Output paths.
data=$(fresh_data output)
: >"$work/a-file"
row "output under a path that is a file (--pdf)" 2 "$data" "$out" -- "$program" $good_order --data "$data" --pdf "$work/a-file/o.pdf"
row "output under a path that is a file (--xls)" 2 "$data" "$out" -- "$program" $good_order --data "$data" --xls "$work/a-file/o.xls"
row "output under a path that is a file (--rpf)" 2 "$data" "$out" -- "$program" $good_order --data "$data" --rpf "$work/a-file/o.rpf"
row "output directory that does not exist" 2 "$data" "$out" -- "$program" $good_order --data "$data" --pdf "$work/nowhere/o.pdf"

# Outputs that are not regular files: pipes and terminals are written into, never replaced;
# a block device or a socket is refused.
mkfifo "$work/fifo"
ln -s "$work/fifo" "$work/to-fifo"
# The FIFO's reader copies what it gets; the run's status is the program's.
through_fifo() { cat "$1" >"$2" & "${@:3}"; local status=$?; wait; return $status; }
export -f through_fifo
row "output is a FIFO (--pdf), read by cat" 0 "$data" "$out" -- bash -c 'through_fifo "$@"' _ "$work/fifo" "$work/from-fifo.pdf" "$program" $good_order --data "$data" --pdf "$work/fifo"
row "output is a link to a FIFO (--xls), read by cat" 0 "$data" "$out" -- bash -c 'through_fifo "$@"' _ "$work/fifo" "$work/from-fifo.xls" "$program" $good_order --data "$data" --xls "$work/to-fifo"
row "output is standard output (--pdf -)" 0 "$data" "$out" -- "$program" $good_order --data "$data" --pdf -
if [[ ! -p "$work/fifo" || ! -L "$work/to-fifo" ]] || [[ "$(head -c 5 "$work/from-fifo.pdf")" != "%PDF-" ]]; then
    echo "| (the FIFO above) | | | | FAIL: the FIFO was replaced or its reader got no PDF |"
    failures=$((failures + 1))
fi
if [[ "$("$program" $good_order --data "$data" --pdf - 2>/dev/null | head -c 5)" != "%PDF-" ]]; then
    echo "| (standard output above) | | | | FAIL: no PDF on standard output |"
    failures=$((failures + 1))
fi
python3 -c 'import socket, sys; socket.socket(socket.AF_UNIX).bind(sys.argv[1])' "$work/socket"
row "output is a socket (--pdf)" 2 "$data" "$out" -- "$program" $good_order --data "$data" --pdf "$work/socket"
# A block device node of our own (loop device 255, likely unused), so that a fault cannot reach a
# real disk.
if mknod "$work/block" b 7 255 2>/dev/null; then
    row "output is a block device (--pdf)" 2 "$data" "$out" -- "$program" $good_order --data "$data" --pdf "$work/block"
    [[ -b "$work/block" ]] || {
        echo "| (the block device above) | | | | FAIL: the device node was replaced |"
        failures=$((failures + 1))
    }
fi
# `--pdf - | head -c 100`: the reader goes away, SIGPIPE ends the program, the temporary page file
# goes with it.
row "reader of standard output goes away (--pdf - | head -c 100, order 7)" sigpipe "$data" "$out" -- bash -c 'set -o pipefail; "$@" | head -c 100 >/dev/null' _ "$program" 7 --data "$data" --pdf -

small="$work/small"
readonly_dir="$work/readonly"
mkdir -p "$small" "$readonly_dir"
if mount -t tmpfs -o ro,size=64k tmpfs "$readonly_dir" 2>/dev/null; then
    mounts+=("$readonly_dir")
elif ((EUID != 0)); then
    chmod 555 "$readonly_dir"
else
    readonly_dir=""
fi
if [[ -n $readonly_dir ]]; then
    row "output directory without write permission (--pdf)" 2 "$data" "$readonly_dir" -- "$program" $good_order --data "$data" --pdf "$readonly_dir/o.pdf"
    row "output directory without write permission (--xls)" 2 "$data" "$readonly_dir" -- "$program" $good_order --data "$data" --xls "$readonly_dir/o.xls"
fi

# A full disk: a small tmpfs filled so that only half of the file fits. The previous file of
# that name must survive.
if mount -t tmpfs -o size=256k tmpfs "$small" 2>/dev/null; then
    mounts+=("$small")
    for kind in pdf xls rpf; do
        "$program" 5 --data "$data" --$kind "$work/whole.$kind" 2>/dev/null
        whole=$(stat -c %s "$work/whole.$kind")
        rm -f "$small"/*
        printf 'previous content' >"$small/o.$kind"
        free=$(($(stat -f -c '%a * %S' "$small")))
        head -c $((free - whole / 2)) /dev/zero >"$small/filler" 2>/dev/null
        row "full disk: $((whole / 2048)) KiB free for a $((whole / 1024)) KiB file (--$kind)" 2 "$data" "$small" -- "$program" 5 --data "$data" --$kind "$small/o.$kind"
        if [[ "$(head -c 16 "$small/o.$kind" | tr -d '\0')" != "previous content" ]]; then
            echo "| (the file replaced above) | | | | FAIL: the previous o.$kind was lost |"
            failures=$((failures + 1))
        fi
    done
    rm -f "$small"/*
fi
# A file-size limit: 16 KiB stops the temporary page file, 60 KiB the PDF of order 5.
for kind in pdf xls rpf; do
    row "file size limit 16 KiB, ulimit -f (--$kind)" 2 "$data" "$out" -- bash -c 'trap "" XFSZ; ulimit -f 16; exec "$@"' _ "$program" 5 --data "$data" --$kind "$out/o.$kind"
done
row "file size limit 60 KiB, ulimit -f (--pdf)" 2 "$data" "$out" -- bash -c 'trap "" XFSZ; ulimit -f 60; exec "$@"' _ "$program" 5 --data "$data" --pdf "$out/o.pdf"

# The page-file viewer: the window shows the message and waits for the operator.
if ! "$program" $good_order --data "$data" --rpf "$work/good.rpf" 2>/dev/null; then
    echo "robustness: the program cannot write a page file of order $good_order" >&2
    exit 2
fi
head -c 4096 /dev/urandom >"$work/random.rpf"
head -c $(($(stat -c %s "$work/good.rpf") / 2)) "$work/good.rpf" >"$work/truncated.rpf"
: >"$work/empty.rpf"
# The first page's size (after the page record's magic) set to 20000 x 20000 dots.
page=$(grep -obUa 'RLGraphicSurface3' "$work/good.rpf" | head -1 | cut -d: -f1)
cp "$work/good.rpf" "$work/huge-page.rpf"
patch_bytes "$work/huge-page.rpf" $((page + 18)) 204e0000204e0000
# The logo's bitmap header ("BMP" tag, then "BM") given an impossible header size.
picture=$(grep -obUa 'BMPBM' "$work/good.rpf" | head -1 | cut -d: -f1)
cp "$work/good.rpf" "$work/damaged-picture.rpf"
[[ -n $picture ]] && patch_bytes "$work/damaged-picture.rpf" $((picture + 3 + 14)) ffffff7f
# Under the offscreen platform the program refuses to open a window at all, so the message box
# is shown on a private X server.
Xvfb -displayfd 3 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 50); do [[ -s "$work/display" ]] && break; sleep 0.1; done
[[ -s "$work/display" ]] || { echo "robustness: Xvfb did not start (make test installs it)" >&2; exit 2; }
export DISPLAY=":$(cat "$work/display")" ROBUSTNESS_TIMEOUT=10
unset QT_QPA_PLATFORM
row "--view of random bytes" timeout "" "$out" -- "$program" --view "$work/random.rpf"
row "--view of a truncated page file" timeout "" "$out" -- "$program" --view "$work/truncated.rpf"
row "--view of an empty file" timeout "" "$out" -- "$program" --view "$work/empty.rpf"
row "--view of a missing file" timeout "" "$out" -- "$program" --view "$work/missing.rpf"
row "--view of a page file declaring a page of 20000 x 20000 dots" timeout "" "$out" -- "$program" --view "$work/huge-page.rpf"
if [[ -n $picture ]]; then
    row "--view of a page file whose picture is damaged" window "" "$out" -- "$program" --view "$work/damaged-picture.rpf"
else
    echo "| --view of a page file whose picture is damaged | | | | FAIL: order $good_order's page file holds no bitmap |"
    failures=$((failures + 1))
fi
row "a window under the offscreen platform" 2 "" "$out" -- env -u DISPLAY QT_QPA_PLATFORM=offscreen "$program" $good_order --data "$data"
unset ROBUSTNESS_TIMEOUT DISPLAY
export QT_QPA_PLATFORM=offscreen
kill "$xvfb" && wait "$xvfb" 2>/dev/null

# Printing.
row "--print with no printer" 2 "$data" "$out" -- "$program" $good_order --data "$data" --print
row "--print to an unknown printer" 2 "$data" "$out" -- "$program" $good_order --data "$data" --print NoSuchPrinter

exit $((failures > 0))
