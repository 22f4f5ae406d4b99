#!/usr/bin/env bash
# The Windows command line writes what the Linux one writes: each example at
# each effort and Fairest, the schedule (text and comma-delimited), the
# report, and every published format; the PDF (which needs Qt, so only when
# the Windows build has its PDF module) through its pdftotext. Allowed to
# differ, and nothing else:
# - the text schedules and the console's lines end in CR LF on Windows;
# - the calendar's DTSTAMP and the workbook's creation time are the moment
#   the file is made.
#   scripts/compare-windows.sh [--quick] [LINUX_CLI [WINDOWS_CLI]]
# --quick (continuous integration): effort 1 and Fairest only, which need no
# optimiser search.
set -euo pipefail
cd "$(dirname "$0")/.."
hows=("--effort 1" "--effort 2" "--effort 3" "--effort 4" "--fair")
if [ "${1:-}" = --quick ]; then
  hows=("--effort 1" "--fair")
  shift
fi
root=$PWD
linux=$(realpath "${1:-build/release/bin/quintora-cli}")
windows=$(realpath "${2:-build/windows/bin/quintora-cli.exe}")
formats=(fixtures-csv upload-csv ics xlsx html)
[ -f "$(dirname "$windows")/quintora-pdf.dll" ] && formats+=(pdf)
wine=$(dirname "$windows")/../wine-run.sh
[ -x "$wine" ] || wine=$root/build/windows/wine-run.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# run SIDE NAME ARGS...: the command line in its own folder, standard output kept.
run() {
  local side=$1 name=$2
  shift 2
  mkdir -p "$work/$side/$name"
  if [ "$side" = linux ]; then
    (cd "$work/$side/$name" && "$linux" "$@" >stdout)
  else
    (cd "$work/$side/$name" && "$wine" "$windows" "$@" >stdout)
  fi
}

# Makes the Windows side's files comparable, as said above.
normalise() {
  local dir=$1 f
  for f in "$dir"/*/stdout "$dir"/*/schedule.txt; do
    [ -f "$f" ] && sed -i 's/\r$//' "$f"
  done
  # The result's path is each system's own; its name stays.
  for f in "$dir"/*/stdout; do
    sed -i 's|^\(Schedule written to \).*[/\\]|\1|' "$f"
  done
  for f in "$dir"/*/schedule.ics; do
    [ -f "$f" ] && sed -i '/^DTSTAMP:/d' "$f"
  done
  for f in "$dir"/*/schedule.pdf; do
    [ -f "$f" ] && pdftotext -raw -enc UTF-8 "$f" "$f.txt" && rm "$f"
  done
  for f in "$dir"/*/schedule.xlsx; do
    [ -f "$f" ] || continue
    mkdir "${f%.xlsx}.unzipped" && unzip -q "$f" -d "${f%.xlsx}.unzipped" && rm "$f"
    sed -i -e 's|<dcterms:created[^<]*</dcterms:created>||' -e 's|<dcterms:modified[^<]*</dcterms:modified>||' \
      "${f%.xlsx}.unzipped/docProps/core.xml"
  done
}

count=0
for example in examples/*.sch; do
  league=$(basename "$example" .sch)
  for how in "${hows[@]}"; do
    tag=$league${how// /}
    for side in linux windows; do
      file=$root/$example
      [ "$side" = windows ] && file="Z:$file"
      # shellcheck disable=SC2086
      {
        run "$side" "$tag-text" schedule "$file" $how
        run "$side" "$tag-csv" schedule "$file" $how --csv
        run "$side" "$tag-report" report "$file" $how
        run "$side" "$tag-json" report "$file" $how --json
        for format in "${formats[@]}"; do
          run "$side" "$tag-$format" schedule "$file" $how --format "$format" --start 2027-01-06
        done
      }
    done
    count=$((count + 4 + ${#formats[@]}))
  done
done
normalise "$work/windows"
normalise "$work/linux"
if diff -r "$work/linux" "$work/windows"; then
  echo "The Windows command line's $count runs wrote the same files as Linux's."
else
  echo "The Windows command line wrote different files (above)." >&2
  exit 1
fi
