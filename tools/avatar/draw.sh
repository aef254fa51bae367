#!/usr/bin/env bash
# Builds the avatar drawing tool and writes assets/avatar/unknown.jpg again.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
g++ -std=c++20 -fPIC -Wall -Wextra -Werror "$here/draw_unknown_avatar.cpp" -o "$work/draw" \
    $(pkg-config --cflags --libs Qt6Gui)
mkdir -p "$root/assets/avatar"
QT_QPA_PLATFORM=offscreen "$work/draw" "$root/assets/avatar/unknown.jpg"
echo "wrote $root/assets/avatar/unknown.jpg"
