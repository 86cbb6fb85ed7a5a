#!/usr/bin/env bash
# The folders form layers, listed here from the bottom up. A file includes headers of its own
# folder and of the folders below it, never above, so no circle can form between folders; and
# a core file (outside ui/) includes no window's header, so the core needs no GUI module.
# Prints every include that breaks this and fails; silent when there is none.
set -euo pipefail

layers=(base widgets adapter protocol supervision sim acquisition trace log display report speed
        settings session app)

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
declare -A rank
for i in "${!layers[@]}"; do rank[${layers[$i]}]=$i; done

window_side() { case $1 in widgets/* | */ui/*) return 0 ;; *) return 1 ;; esac; }

broken=0
for folder in "${layers[@]}"; do
  while IFS=: read -r file _ include; do
    header=${include#*\"}
    header=${header%%\"*}
    to=${header%%/*}
    [ -n "${rank[$to]:-}" ] || continue
    if [ "${rank[$to]}" -gt "${rank[$folder]}" ]; then
      echo "$file includes $header: $to/ lies above $folder/"
      broken=1
    fi
    if ! window_side "$file" && window_side "$header"; then
      echo "$file includes $header: a core file includes a window's header"
      broken=1
    fi
  done < <(cd "$root" && grep -rn '^#include "' "$folder" --include='*.cpp' --include='*.h' || true)
done
exit "$broken"
