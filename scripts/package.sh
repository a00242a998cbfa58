#!/usr/bin/env bash
# Builds the program and packs it as build/tavinor_<version>_<arch>.deb for
# the Debian release this machine runs; `apt install ./build/tavinor_*.deb`
# installs it with what it needs.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh" tavinor
cd "$root/build"
rm -f tavinor_*.deb
cpack -G DEB >cpack.log 2>&1 || { cat cpack.log >&2; exit 1; }
ls "$root"/build/tavinor_*.deb
