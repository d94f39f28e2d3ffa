#!/usr/bin/env bash
# Installs the Debian packages of the named groups; does nothing for what is already there.
#   build  compile and run the program, its tools and the sample database (make deps)
#   test   the test suites' outside readers, servers and locales (make test)
#   fuzz   clang with libFuzzer and the sanitizers (make fuzz, make asan)
#   bench  the benchmark's peer and the profilers (make bench)
#   tidy   clang-tidy (make tidy)
#   docs   Doxygen for the library's API documentation (make docs)
set -euo pipefail

declare -A groups
groups[build]="cmake ninja-build g++ make pkg-config ccache
    qt6-base-dev qt6-base-dev-tools libgl-dev
    qt6-tools-dev qt6-l10n-tools qt6-translations-l10n libcups2-dev
    libqt6sql6-sqlite libqt6sql6-psql
    libgtest-dev googletest libxlsxwriter-dev
    fonts-liberation fonts-dejavu-core fontconfig
    libfontconfig-dev libharfbuzz-dev zlib1g-dev"
# qt6-tools-dev and qt6-l10n-tools compile the message catalogues (lrelease) and check them
# (lupdate); qt6-translations-l10n holds Qt's own texts in the users' languages; libcups2-dev
# tells the printer list each queue's device URI; libqt6sql6-sqlite and libqt6sql6-psql are the Qt SQL
# drivers of --db.
# The portable PDF finds font files through fontconfig, subsets them with HarfBuzz's subsetter
# (libharfbuzz-subset, in libharfbuzz-dev) and compresses streams with zlib.
# libxlsxwriter-dev writes the XLSX output, and zlib1g-dev also reads it back to check that it is whole.
# googletest is in the build group because the test suites are configured in the same build tree.
# fonts-urw-base35 serves faces such as "Helvetica Narrow" as Type 1 and CFF files, which the PDF
# export must measure without TrueType tables. postgresql gives the SQL tests a server they start in a
# directory of their own (initdb, pg_ctl); sqlite3 loads what pxdump --sql writes.
groups[test]="locales clang-format
    xvfb xauth openbox xdotool imagemagick
    qpdf poppler-utils python3 python3-xlrd python3-openpyxl libreoffice-calc-nogui man-db
    cups printer-driver-cups-pdf
    fonts-urw-base35
    postgresql sqlite3"
groups[fuzz]="clang libclang-rt-14-dev"
groups[bench]="python3-reportlab linux-perf valgrind"
groups[tidy]="clang-tidy"
groups[docs]="doxygen"

# The suite runs in the users' own locale as well as in English and C.
test_locales=(pt_BR.UTF-8 en_US.UTF-8)

[[ $# -gt 0 ]] || set -- build
sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)

missing=()
for group in "$@"; do
    if [[ -z "${groups[$group]+set}" ]]; then
        echo "install-deps: unknown group '$group' (known: ${!groups[*]})" >&2
        exit 2
    fi
    for package in ${groups[$group]}; do
        status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
        [[ "$status" == "install ok installed" ]] || missing+=("$package")
    done
done

if [[ ${#missing[@]} -gt 0 ]]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if [[ " $* " == *" test "* ]]; then
    generate=()
    for name in "${test_locales[@]}"; do
        # locale -a spells them in lower case without the dash: pt_BR.utf8.
        short=$(echo "${name/UTF-8/utf8}")
        locale -a | grep -qx "$short" || generate+=("$name")
    done
    if [[ ${#generate[@]} -gt 0 ]]; then
        echo "Generating locales: ${generate[*]}"
        for name in "${generate[@]}"; do
            "${sudo[@]}" sed -i "s/^# *\($name UTF-8\)/\1/" /etc/locale.gen
            grep -qx "$name UTF-8" /etc/locale.gen || echo "$name UTF-8" | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
        done
        "${sudo[@]}" locale-gen >/dev/null
    fi
fi
