#!/usr/bin/env bash
# Drives the bash completion functions the way bash does (COMP_WORDS,
# COMP_CWORD), and checks what they offer in COMPREPLY.
#   completion_test.sh COMPLETIONS_DIR IMGMINT
# The keyword list is checked against the usage block of the built imgmint.
set -uo pipefail

completions=$1
imgmint=$2
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# offered SORT WORD... : runs the completion for the command line WORD...,
# completing its last word, and prints what it offers, one per line
# (sorted when SORT is "sorted"; file lists come in directory order).
offered() {
    local sort=$1
    shift
    COMP_WORDS=("$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMP_LINE="$*"
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    local function
    function=$(complete -p "$1" | sed -n 's/.* -F \([^ ]*\) .*/\1/p')
    "$function" "$1" "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    if [[ $sort == sorted ]]; then
        printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort
    else
        printf '%s\n' "${COMPREPLY[@]}"
    fi
}

# expect NAME EXPECTED SORT WORD... : EXPECTED is the offer, one per line
# ("" for nothing offered).
expect() {
    local name=$1 expected=$2
    shift 2
    local actual
    actual=$(offered "$@")
    if [[ $actual != "$expected" ]]; then
        fail "$name"
        diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual") >&2
    fi
}

for program in imgmint imgpoke imgpeek imgdisk imgconv; do
    # shellcheck source=/dev/null
    source "$completions/$program.bash" || fail "$program.bash does not load"
    complete -p "$program" | grep -q -- "-F _$program $program\$" ||
        fail "$program.bash does not register _$program for $program"
done

# --- imgmint ---------------------------------------------------------------
# The keywords exactly as the program lists them, in its order.
keywords=$("$imgmint" 2>&1 >/dev/null | sed -n 's/^ *\(mediatype : \)\{0,1\}\([0-9a-z]*\)$/\2/p')
[[ $(wc -l <<<"$keywords") -eq 25 ]] || fail "imgmint usage block did not list 25 keywords"
[[ $(head -n1 <<<"$keywords") == 2d && $(tail -n1 <<<"$keywords") == 1ddblank ]] ||
    fail "imgmint usage block keywords not read (got: $keywords)"

expect "imgmint: all keywords in table order" "$keywords" unsorted imgmint ""
expect "imgmint: prefix 2hd" $'2hd\n2hdbas\n2hdbas88\n2hddos\n2hddos144\n2hdblank' unsorted imgmint 2hd
expect "imgmint: upper-case prefix 2HDD" $'2hddos\n2hddos144' unsorted imgmint 2HDD
expect "imgmint: prefix 1ddb" $'1ddbas\n1ddbas66\n1ddblank' unsorted imgmint 1ddb
expect "imgmint: unknown prefix" "" unsorted imgmint 3
expect "imgmint: nothing for sectors" "" unsorted imgmint 2d ""
expect "imgmint: nothing for pattern" "" unsorted imgmint 2dbas ""
expect "imgmint: nothing for tracks" "" unsorted imgmint 2d 16 1 ""
expect "imgmint: options for a dash" $'-o\n-h\n--help\n--version' unsorted imgmint -
expect "imgmint: keywords after -o FILE" $'2hddos\n2hddos144' unsorted imgmint -o game.d88 2hdd
expect "imgmint: nothing for sectors after -o FILE" "" unsorted imgmint -o game.d88 2d ""

# --- imgpoke and imgpeek: files in a scratch directory -------------------------
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch" || exit 1
touch disk.d88 data.bin "with space.bin"
mkdir sub
all_files=$'data.bin\ndisk.d88\nsub\nwith space.bin'

expect "imgmint: files after -o" "$all_files" sorted imgmint -o ""

# imgpoke [-s] d88file targetfile diskno track sector
expect "imgpoke: first word offers -s and files" $'-s\n'"$all_files" sorted imgpoke ""
expect "imgpoke: first word '-' offers -s only" "-s" sorted imgpoke -
expect "imgpoke: first word 'd' offers files only" $'data.bin\ndisk.d88' sorted imgpoke d
expect "imgpoke: d88file after -s" "$all_files" sorted imgpoke -s ""
expect "imgpoke: no second -s" "" sorted imgpoke -s -
expect "imgpoke: targetfile" "$all_files" sorted imgpoke disk.d88 ""
expect "imgpoke: targetfile after -s" $'data.bin\ndisk.d88' sorted imgpoke -s disk.d88 d
expect "imgpoke: file name with a space" "with space.bin" sorted imgpoke disk.d88 w
for line in "disk.d88 data.bin" "disk.d88 data.bin 0" "disk.d88 data.bin 0 0" \
    "-s disk.d88 data.bin" "-s disk.d88 data.bin 0 0" "disk.d88 data.bin 0 0 1"; do
    read -ra words <<<"$line"
    expect "imgpoke: nothing after '$line'" "" sorted imgpoke "${words[@]}" ""
done

# imgpeek d88file | d88file diskno | [-s] d88file diskno track sector length outfile
expect "imgpeek: first word offers -s and files" $'-s\n'"$all_files" sorted imgpeek ""
expect "imgpeek: first word 'd' offers files only" $'data.bin\ndisk.d88' sorted imgpeek d
expect "imgpeek: d88file after -s" "$all_files" sorted imgpeek -s ""
expect "imgpeek: outfile" "$all_files" sorted imgpeek disk.d88 0 0 1 256 ""
expect "imgpeek: outfile after -s" $'data.bin\ndisk.d88' sorted imgpeek -s disk.d88 0 0 1 256 d
for line in "disk.d88" "disk.d88 0" "disk.d88 0 0" "disk.d88 0 0 1" "-s disk.d88" \
    "-s disk.d88 0 0 1" "disk.d88 0 0 1 256 out.bin" "-s disk.d88 0 0 1 256 out.bin"; do
    read -ra words <<<"$line"
    expect "imgpeek: nothing after '$line'" "" sorted imgpeek "${words[@]}" ""
done

# imgdisk COMMAND ...: command words, files where a command takes a file,
# keywords for protect and media, nothing for numbers and names.
commands=$'--help\n--version\n-h\nextract\njoin\nmedia\nmove\nname\nprotect\nremove\nsplit'
expect "imgdisk: command words" "$commands" sorted imgdisk ""
expect "imgdisk: command prefix m" $'media\nmove' sorted imgdisk m
expect "imgdisk: command prefix --" $'--help\n--version' sorted imgdisk --
for line in "extract" "extract disk.d88 0" "split" "split disk.d88" "join" "join out.d88" "join out.d88 disk.d88" \
    "remove" "move" "name" "protect" "media"; do
    read -ra words <<<"$line"
    expect "imgdisk: files after '$line'" "$all_files" sorted imgdisk "${words[@]}" ""
done
expect "imgdisk: file prefix" $'data.bin\ndisk.d88' sorted imgdisk extract d
expect "imgdisk: protect keywords" $'off\non' sorted imgdisk protect disk.d88 0 ""
expect "imgdisk: protect prefix o" $'off\non' sorted imgdisk protect disk.d88 0 o
expect "imgdisk: media keywords" $'2d\n2dd\n2hd' sorted imgdisk media disk.d88 0 ""
expect "imgdisk: media prefix 2dd" "2dd" sorted imgdisk media disk.d88 0 2dd
for line in "extract disk.d88" "extract disk.d88 0 out.d88" "remove disk.d88" "move disk.d88" "move disk.d88 0" \
    "name disk.d88" "name disk.d88 0" "protect disk.d88" "protect disk.d88 0 on" "media disk.d88" \
    "split disk.d88 part" "copy" "--help"; do
    read -ra words <<<"$line"
    expect "imgdisk: nothing after '$line'" "" sorted imgdisk "${words[@]}" ""
done

# imgconv [options] INPUT OUTPUT
expect "imgconv: files for INPUT" "$all_files" sorted imgconv ""
expect "imgconv: files for OUTPUT" $'data.bin\ndisk.d88' sorted imgconv disk.d88 d
expect "imgconv: options" $'--\n--disk\n--from\n--help\n--media\n--to\n--version\n-h\n-n' sorted imgconv -
expect "imgconv: long option prefix" "--media" sorted imgconv disk.d88 --m
expect "imgconv: formats after --to" $'d88\nfdi\nraw' sorted imgconv --to ""
expect "imgconv: upper-case format prefix" "raw" sorted imgconv disk.d88 --from R
# bash splits "--to=" into "--to" and "=", which is the word under the
# cursor until something follows it.
expect "imgconv: formats right after --to=" $'d88\nfdi\nraw' sorted imgconv --to =
expect "imgconv: formats after --to=" $'d88\nfdi\nraw' sorted imgconv --to = ""
expect "imgconv: formats after --from=f" $'fdd\nfdi' sorted imgconv --from = f
expect "imgconv: formats after --from, containers included" $'d88\ndcp\ndim\ndip\nfdd\nfdi\nnfd\nraw' sorted \
    imgconv --from ""
expect "imgconv: no container after --to" "" sorted imgconv --to n
expect "imgconv: presets after --media" $'2hcdos\n2hdbas\n2hdbas88\n2hddos\n2hddos144' sorted imgconv --media 2h
expect "imgconv: no blank preset after --media" "" sorted imgconv --media 2hdbl
expect "imgconv: nothing after --disk" "" sorted imgconv --disk ""
expect "imgconv: files after --" "" sorted imgconv -- -

if ((failures > 0)); then
    echo "$failures completion check(s) failed" >&2
    exit 1
fi
echo "all completion checks passed"
