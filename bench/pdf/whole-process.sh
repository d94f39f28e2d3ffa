#!/bin/sh
# Times the whole program writing a PDF: median wall clock, CPU (user + system) and peak memory
# over several runs. The wall clock on a shared machine also counts waiting for a core.
#
#   bench/pdf/whole-process.sh PROGRAM [RUNS] [ORDER...]     default: 5 runs of orders 6 and 7
set -eu
program=${1:?usage: whole-process.sh PROGRAM [RUNS] [ORDER...]}
runs=${2:-5}
[ $# -ge 2 ] && shift 2 || shift $#
orders=${*:-6 7}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT INT TERM
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
for order in $orders; do
    : > "$out/times"
    i=0
    while [ "$i" -lt "$runs" ]; do
        SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-1700000000} QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} \
            /usr/bin/time -f '%e %U %S %M' -a -o "$out/times" "$program" "$order" --pdf "$out/o.pdf" 2>/dev/null
        i=$((i + 1))
    done
    wall=$(cut -d' ' -f1 "$out/times" | median)
    cpu=$(awk '{ print $2 + $3 }' "$out/times" | median)
    rss=$(cut -d' ' -f4 "$out/times" | median)
    echo "order $order, median of $runs: wall $wall s, CPU $cpu s, peak memory $((rss / 1024)) MB"
done
