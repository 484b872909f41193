#!/usr/bin/env bash
# The clock pictures in docs/clocks/ are current: drawn again from the programs of this build
# (scripts/make_docs_pictures.sh into OUTPUT_DIR), they must be the committed files, byte for
# byte, and no more or fewer. After a change to how a clock looks, run
# scripts/make_docs_pictures.sh and commit docs/clocks/.
#
#   docs_pictures_test.sh SOURCE_DIR OUTPUT_DIR      (TAVIMORE and CLOCK_BIN in the environment)
set -euo pipefail
source_dir=$1
output=$2
: "${TAVIMORE:?}" "${CLOCK_BIN:?}"
rm -rf "$output"
bash "$source_dir/scripts/make_docs_pictures.sh" --no-build "$output"

committed=$(cd "$source_dir/docs/clocks" && ls)
drawn=$(cd "$output/clocks" && ls)
failed=0
if [ "$committed" != "$drawn" ]; then
  echo "FAILED: docs/clocks holds [$(echo $committed)], the generator draws [$(echo $drawn)]"
  failed=1
fi
for name in $drawn; do
  if cmp -s "$output/clocks/$name" "$source_dir/docs/clocks/$name"; then
    echo "ok: docs/clocks/$name is current"
  else
    echo "FAILED: docs/clocks/$name differs from $output/clocks/$name"
    failed=1
  fi
done
[ "$failed" = 0 ] || echo "run scripts/make_docs_pictures.sh and commit docs/clocks/"
exit "$failed"
