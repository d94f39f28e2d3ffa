#!/usr/bin/env bash
# make run: opens an order of the bundled sample database in the program; with no display it
# writes the order's page file instead and says where.
set -euo pipefail
build=${1:-build}
order=${2:-1}
program="$build/app/ordemcompra"

if [[ ! -x "$program" ]]; then
    echo "make run: $program has not been built; run make build first" >&2
    exit 1
fi

if [[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]]; then
    unset QT_QPA_PLATFORM
    exec "$program" "$order"
fi

output="$PWD/order-$order.rpf"
"$program" "$order" --rpf "$output"
echo "No display: order $order written to $output"
