#!/usr/bin/env bash
# Every file includes headers of its own layer and of the layers below it only: an upward
# #include fails here, where the linker would only catch a call.
# Usage: layers_test.sh SOURCE-DIRECTORY
set -euo pipefail
cd "$1"
declare -A may_include=([text]="text" [sources]="sources text" [net]="net sources text"
    [sample/pages]="sample/pages sources text" [sample/server]="sample/server sample/pages sources text"
    [sample/demo]="sample/demo sample/server sample/pages net sources text"
    [app]="app sample/demo net sources text" [cli]="cli sample/demo net sources text")
failed=0
for layer in "${!may_include[@]}"; do
    for file in "$layer"/*.h "$layer"/*.cpp; do
        while IFS= read -r header; do
            [[ " ${may_include[$layer]} " == *" ${header%/*} "* ]] ||
                { echo "$file includes $header, from a layer above its own"; failed=1; }
        done < <(sed -n 's/^#include "\(.*\/.*\)"$/\1/p' "$file")
    done
done
exit $failed
