#!/usr/bin/env bash
# Runs a command on a virtual X server under openbox, a window manager from Debian, with Qt on
# that server: what the window-manager test needs (tests/app/WindowManagerTest.cpp).
set -euo pipefail
[ $# -gt 0 ] || { echo "usage: $0 COMMAND [ARG...]" >&2; exit 2; }
exec xvfb-run -a -s "-screen 0 1600x1000x24" bash -c '
  openbox --sm-disable >/dev/null 2>&1 &
  wm=$!
  # The window manager is up once it has named its check window on the root.
  for _ in $(seq 200); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.05
  done
  status=0
  QT_QPA_PLATFORM=xcb VEYRA_WINDOW_MANAGER=openbox "$@" || status=$?
  kill "$wm" 2>/dev/null || true
  wait "$wm" 2>/dev/null || true
  exit "$status"' bash "$@"
