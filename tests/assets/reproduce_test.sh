#!/usr/bin/env bash
# assets_reproduce.sh ASSETGEN ASSETS_DIR: the asset generator, run afresh, writes every file
# it makes byte for byte as committed below ASSETS_DIR, and makes no file that is not there.
set -euo pipefail
assetgen=$1
assets=$2
fresh=$(mktemp -d)
trap 'rm -rf "$fresh"' EXIT

"$assetgen" "$fresh" >/dev/null
made=0
while IFS= read -r -d '' file; do
    relative=${file#"$fresh"/}
    if [ ! -f "$assets/$relative" ]; then
        echo "made but not committed: $relative"
        exit 1
    fi
    if ! cmp -s "$file" "$assets/$relative"; then
        echo "differs from the committed file: $relative"
        exit 1
    fi
    made=$((made + 1))
done < <(find "$fresh" -type f -print0)
[ "$made" -gt 0 ] || { echo "the generator wrote nothing"; exit 1; }
echo "$made files reproduced byte for byte"
