#!/usr/bin/env bash
# Builds a program against the installed library, not the build tree: installs BUILD_DIR into a
# temporary prefix, configures examples/ on its own with that prefix, builds and runs the listing
# example and checks its multi-page PDF; then compiles a small program with pkg-config's flags.
#   scripts/check-installed-package.sh BUILD_DIR
set -euo pipefail
build=$(realpath "${1:?usage: $0 BUILD_DIR}")
source_dir=$(realpath "$(dirname "$0")/..")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "check-installed-package: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$work/prefix" >/dev/null
[[ -f "$work/prefix/include/QuirelReport/report/RLReport.h" ]] || fail "headers not installed"
! find "$work/prefix" -name '*.cpp' | grep -q . || fail "sources installed"

# The consumer is built as the library was: same compiler, same sanitizers.
cache_value() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
compiler=$(cache_value CMAKE_CXX_COMPILER)
launcher=$(cache_value CMAKE_CXX_COMPILER_LAUNCHER)
flags=()
[[ "$(cache_value QUIREL_SANITIZE)" == ON ]] && flags=(-fsanitize=address,undefined -fno-omit-frame-pointer)

# Nothing of the source or build tree may be found: only the prefix is given.
cmake -S "$source_dir/examples" -B "$work/examples" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_COMPILER="$compiler" -DCMAKE_CXX_COMPILER_LAUNCHER="$launcher" \
    -DCMAKE_CXX_FLAGS="${flags[*]}" -DCMAKE_EXE_LINKER_FLAGS="${flags[*]}" \
    -DCMAKE_PREFIX_PATH="$work/prefix" >"$work/configure.log" || { cat "$work/configure.log"; fail "configure"; }
cmake --build "$work/examples" --target listing >"$work/build.log" || { cat "$work/build.log"; fail "build"; }
if grep -rq -- "$build" "$work/examples/build.ninja"; then
    fail "the standalone build refers to the build tree $build"
fi

mkdir "$work/out"
"$work/examples/listing" "$work/out" >/dev/null
pages=$(pdfinfo "$work/out/listing.pdf" | awk '/^Pages:/ { print $2 }')
[[ "$pages" -ge 2 ]] || fail "listing.pdf has $pages page(s), expected several"
text=$(pdftotext "$work/out/listing.pdf" -)
grep -q "Lista de produtos" <<<"$text" || fail "listing.pdf lacks its title"
# Read whole: grep -q stopping early would kill ldd with SIGPIPE and fail the pipeline.
libraries=$(ldd "$work/examples/listing")
grep -q "$work/prefix/.*libquirel-report" <<<"$libraries" \
    || fail "the example does not use the installed libquirel-report"

# A consumer that knows only pkg-config.
cat >"$work/consumer.cpp" <<'CPP'
#include <report/RLReport.h>
#include <support/Startup.h>

#include <QGuiApplication>

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    const TQuirelLibrary library;
    TComponent owner(nullptr);
    auto* report = new TRLReport(&owner);
    report->ShowProgress = false;
    return report->Prepare() ? 0 : 1;
}
CPP
export PKG_CONFIG_PATH="$work/prefix/lib/pkgconfig:$work/prefix/lib/$(gcc -print-multiarch)/pkgconfig"
# shellcheck disable=SC2046
"$compiler" -std=c++20 -fPIC "${flags[@]}" "$work/consumer.cpp" -o "$work/consumer" $(pkg-config --cflags --libs quirelreport) \
    -Wl,-rpath,"$(pkg-config --variable=libdir quirelreport)" || fail "pkg-config consumer does not build"
"$work/consumer" || fail "pkg-config consumer failed to prepare an empty report"
echo "installed package: listing example built and wrote $pages pages; pkg-config consumer ran"
