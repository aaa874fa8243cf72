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

completes 'billboard' bill
completes 'Rap RnB' billboard R
completes 'krock cddb-albums cddb-songs billboard hot97 version' ''
completes 'Contemporary Country' --verbose --format csv billboard Co
completes 'tsv csv json' hot97 --format ''
completes 'Rap RnB' --page saved.html billboard R
completes "$1" krock --page "${1%-fetch}"
exit $failed
