#!/bin/sh
# The README's console examples, run as shown in a scratch folder that holds the saved pages they
# name: a command shown with output must print exactly those lines (standard output and error, as
# a terminal shows them); one shown without output must succeed. An address is not fetched: no
# test reaches the network.
# Usage: readme_test.sh README BIN_DIR PAGES_DIR
set -eu
readme=$1 bin=$2 pages=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/saved/hot100" "$scratch/examples"
cp "$pages/billboard/sample-hot100.html" "$scratch/saved/hot100/2001-03-03.html"
cp "$pages/billboard/sample-rap.html" "$scratch/saved/hot100/2001-03-10.html"
cp "$pages/billboard/sample-rap.html" "$scratch/saved/rap.jsp.html"
cp "$pages/cddb-albums/sample-celtic.html" "$scratch/celtic.html"

# examples/N.sh is the Nth command (a line ending in "|" goes on in the next), N.out its lines.
awk -v dir="$scratch/examples" '
    /^```console$/ { block = 1; next }
    /^```$/ { block = 0; next }
    block && /^\$ / { n++; $0 = substr($0, 3); more = 1 }
    block && more { print > (dir "/" n ".sh"); more = /\|$/; next }
    block { print > (dir "/" n ".out") }
' "$readme"

failed=0
for example in "$scratch"/examples/*.sh; do
    grep -q 'http' "$example" && continue
    expected=${example%.sh}.out
    status=0
    (cd "$scratch" && env -i PATH="$bin:/usr/bin:/bin" no_proxy='*' LC_ALL=C.UTF-8 sh "$example") \
        >"$scratch/got" 2>&1 || status=$?
    if [ -f "$expected" ] && ! diff -u "$expected" "$scratch/got"; then
        echo "README example differs: $(head -1 "$example")"
        failed=1
    elif [ ! -f "$expected" ] && [ "$status" -ne 0 ]; then
        echo "README example fails ($status): $(head -1 "$example")"
        cat "$scratch/got"
        failed=1
    fi
done
[ -n "$(ls "$scratch"/examples)" ] || { echo "no console examples in $readme"; exit 1; }
exit $failed
