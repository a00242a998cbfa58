#!/usr/bin/env bash
# Redraws the icon's pictures from data/icons/tavinor.svg after it changed.
set -euo pipefail
icons="$(cd "$(dirname "$0")/.." && pwd)/data/icons"
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" "$icons/tavinor.svg" -o "$icons/tavinor-$size.png"
done
