#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for the given number of seconds (default
# 600), one after the other, starting from the seed corpus in fuzz/corpus/<target> (made by
# fuzz/make_corpus.py from our examples and test files) plus what earlier runs found, kept in
# build-fuzz/corpus/<target>. Findings go to fuzz/findings/ (not in git); the script ends
# with status 1 if there is any.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
make --no-print-directory fuzz-build
[ -d fuzz/corpus/fuzz_curve_import ] || python3 fuzz/make_corpus.py
mkdir -p fuzz/findings
status=0
for target in ${FUZZ_TARGETS:-fuzz_curve_import fuzz_analysis fuzz_workbook}; do
    corpus=build-fuzz/corpus/$target
    mkdir -p "$corpus"
    cp -n fuzz/corpus/$target/* "$corpus"/ 2>/dev/null || true
    dict=()
    [ -f fuzz/${target#fuzz_}.dict ] && dict=(-dict=fuzz/${target#fuzz_}.dict)
    echo "== $target for ${seconds}s"
    # UDUNITS-2 keeps pieces of its parser state that it never frees: not a finding.
    if ! LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0 \
        ./build-fuzz/fuzz/$target -max_total_time="$seconds" -artifact_prefix=fuzz/findings/ \
        -print_final_stats=1 "${dict[@]}" "$corpus" >build-fuzz/$target.log 2>&1; then
        status=1
    fi
    grep -E "check failed|ERROR|SUMMARY|DONE|stat::|Test unit written" build-fuzz/$target.log || true
    echo "corpus: $(find "$corpus" -type f | wc -l) files, $(du -sb "$corpus" | cut -f1) bytes"
done
exit $status
