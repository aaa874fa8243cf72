#!/usr/bin/env bash
# The bash completion of vandrel-fetch, driven as bash drives it, on the built program.
# Usage: completion_test.sh COMPLETION-SCRIPT DIRECTORY-OF-VANDREL-FETCH
set -euo pipefail
PATH=$2:$PATH
# shellcheck source=/dev/null
source "$1"

failed=0
# completes 'EXPECTED' WORD...: completing the last word after `vandrel-fetch` offers EXPECTED.
completes() {
    local expected=$1
    shift
    COMP_WORDS=(vandrel-fetch "$@") COMP_CWORD=$# COMPREPLY=()
    _vandrel_fetch
    [[ "${COMPREPLY[*]}" == "$expected" ]] ||
        { echo "vandrel-fetch $*<Tab>: '${COMPREPLY[*]}', expected '$expected'"; failed=1; }
}

# What the program lists: every source, and the first one with choices.
read -r source choices < <(vandrel-fetch --list | awk 'NF > 1' | head -1)
completes "$(vandrel-fetch --list | cut -d ' ' -f 1 | paste -sd ' ') version" ''
completes "$source" "${source%?}"
completes "$choices" --verbose --format csv "$source" ''
completes "$(vandrel-fetch --list-formats)" "$source" --format ''
completes "$choices" --page saved.html --pages-from list "$source" ''
completes "$1" "$source" --page "${1%-fetch}"
completes "$1" "$source" --pages-from "${1%-fetch}"
exit $failed
