#!/usr/bin/env bash
# Fails when a folder includes a header of a folder that is not below it.
# The layers, bottom up: core, chart, strategies, store, ui/output (the chart
# painter and chart files, without widgets), ui, programs.
set -euo pipefail
cd "$(dirname "$0")/.."

allowed() { # folder -> the folders its sources may include from
  case "$1" in
    core) echo "core" ;;
    chart) echo "core chart" ;;
    strategies) echo "core chart strategies" ;;
    store) echo "core store" ;;
    ui/output) echo "core chart strategies ui/output" ;;
    ui) echo "core chart strategies store ui/output ui" ;;
    programs) echo "core chart strategies store ui/output ui programs" ;;
  esac
}

# The layer an include names: its first folder, or ui/output.
layer_of() {
  case "$1" in
    ui/output/*) echo "ui/output" ;;
    */*) echo "${1%%/*}" ;;
  esac
}

status=0
for folder in core chart strategies store ui/output ui programs; do
  ok=" $(allowed "$folder") "
  # ui/output is a layer of its own, checked apart from the rest of ui.
  exclude=()
  [ "$folder" = ui ] && exclude=(--exclude-dir=output)
  while IFS=: read -r file line text; do
    path=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/' <<<"$text")
    target=$(layer_of "$path")
    case "$target" in core | chart | strategies | store | ui/output | ui | programs) ;; *) continue ;; esac
    if [[ "$ok" != *" $target "* ]]; then
      echo "$file:$line: $folder/ may not include from $target/: $text" >&2
      status=1
    fi
  done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]+/' "$folder" \
    --include='*.h' --include='*.cpp' "${exclude[@]}" || true)
done
[ "$status" -eq 0 ] && echo "layers: every include points down"
exit "$status"
