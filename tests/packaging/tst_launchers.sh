#!/bin/sh
# The commands on the PATH start the programs in their own folder and keep
# relative project paths pointing where the user meant them.
# Usage: tst_launchers.sh PACKAGING_SOURCE_DIR
set -eu
source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

app="$work/app folder"
caller="$work/caller"
mkdir -p "$app" "$caller"
for program in kestrun kestrun-play; do
    sed "s|@KESTRUN_DIR@|$app|g" "$source_dir/$program-launcher.sh.in" >"$work/$program"
    chmod +x "$work/$program"
    # Stands in for the program: prints its working folder and arguments.
    printf '#!/bin/sh\npwd\nfor a; do echo "[$a]"; done\n' >"$app/$program"
    chmod +x "$app/$program"
done

failures=0
expect() {
    name=$1
    shift
    expected=$(printf '%s\n' "$@")
    if [ "$actual" != "$expected" ]; then
        echo "FAIL: $name"
        echo "expected:"
        echo "$expected"
        echo "actual:"
        echo "$actual"
        failures=$((failures + 1))
    else
        echo "PASS: $name"
    fi
}

cd "$caller"
touch 2 none

actual=$("$work/kestrun")
expect "kestrun starts in its folder" "$app"

actual=$("$work/kestrun" "my project.cmdat")
expect "kestrun gets a relative project path made absolute" "$app" "[$caller/my project.cmdat]"

actual=$("$work/kestrun" /abs/p.cmdat)
expect "kestrun keeps an absolute project path" "$app" "[/abs/p.cmdat]"

actual=$("$work/kestrun-play" --runs 2 --exit none --verbose "my project.cmdat")
expect "relative project path made absolute, option values kept" \
    "$app" "[--runs]" "[2]" "[--exit]" "[none]" "[--verbose]" "[$caller/my project.cmdat]"

actual=$("$work/kestrun-play" --repeat --delay=3 /abs/p.cmdat)
expect "absolute path and joined options kept" "$app" "[--repeat]" "[--delay=3]" "[/abs/p.cmdat]"

actual=$("$work/kestrun-play" -- -odd.cmdat)
expect "after -- every path is a path" "$app" "[--]" "[$caller/-odd.cmdat]"

actual=$("$work/kestrun-play" --version)
expect "lone option" "$app" "[--version]"

actual=$("$work/kestrun-play" --delay)
expect "option without its value" "$app" "[--delay]"

[ "$failures" -eq 0 ]
