#!/usr/bin/env bash
# Fails when a folder includes a header of a folder that is not below it.
# The layers, bottom up: core, chart, strategies, store, session, ui, programs.
set -euo pipefail
cd "$(dirname "$0")/.."

allowed() { # folder -> the folders its sources may include from
  case "$1" in
    core) echo "core" ;;
    chart) echo "core chart" ;;
    strategies) echo "core chart strategies" ;;
    store) echo "core store" ;;
    session) echo "core chart strategies store session" ;;
    ui) echo "core chart strategies store session ui" ;;
    programs) echo "core chart strategies store session ui programs" ;;
  esac
}

status=0
for folder in core chart strategies store session ui programs; do
  ok=" $(allowed "$folder") "
  while IFS=: read -r file line text; do
    target=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^/"]+)\/.*/\1/' <<<"$text")
    case "$target" in core | chart | strategies | store | session | ui | programs) ;; *) continue ;; esac
    if [[ "$ok" != *" $target "* ]]; then
      echo "$file:$line: $folder/ may not include from $target/: $text" >&2
      status=1
    fi
  done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]+/' "$folder" --include='*.h' --include='*.cpp' || true)
done
# Paper and files (ui/output/) are a module the windows load when needed:
# the rest of ui/ reaches them only through ui/chart/ChartOutput.h.
while IFS=: read -r file line text; do
  echo "$file:$line: only ui/output/ may include from ui/output/: $text" >&2
  status=1
done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"ui/output/' ui \
  --include='*.h' --include='*.cpp' --exclude-dir=output || true)
[ "$status" -eq 0 ] && echo "layers: every include points down"
exit "$status"
