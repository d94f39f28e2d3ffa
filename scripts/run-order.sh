#!/usr/bin/env bash
# make run: opens an order of the bundled sample database in the program; with no display it
# writes the order as a PDF and a page file into the build folder and says how to open them.
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

folder=$(cd "$build" && pwd)
program="$folder/app/ordemcompra"
pdf="$folder/order-$order.pdf"
pages="$folder/order-$order.rpf"
"$program" "$order" --pdf "$pdf" --rpf "$pages"
cat <<MESSAGE
No display: order $order written as
  $pdf
  $pages
Open the PDF with any PDF reader:  xdg-open "$pdf"
or show the page file in the preview on a machine with a display:
  $program --view "$pages"
MESSAGE
