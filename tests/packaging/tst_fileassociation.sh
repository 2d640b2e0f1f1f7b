#!/bin/sh
# The desktop entry opens the file it is given and declares the project type,
# and the MIME description maps *.cmdat to that type once a desktop's MIME
# database is built from it.
# Usage: tst_fileassociation.sh PACKAGING_SOURCE_DIR
set -eu
source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
type=application/x-kestrun-project

sed "s|@KESTRUN_DIR@|/opt/kestrun|g" "$source_dir/kestrun.desktop.in" >"$work/kestrun.desktop"
desktop-file-validate "$work/kestrun.desktop"
grep -qx "Exec=/opt/kestrun/kestrun %f" "$work/kestrun.desktop"
grep -qx "MimeType=$type;" "$work/kestrun.desktop"

mkdir -p "$work/mime/packages"
cp "$source_dir/kestrun-mime.xml" "$work/mime/packages/kestrun.xml"
XDG_DATA_DIRS=$work update-mime-database "$work/mime"
grep -q "^50:$type:\*\.cmdat$" "$work/mime/globs2"
[ -f "$work/mime/application/x-kestrun-project.xml" ]
grep -qx "$type application/json" "$work/mime/subclasses"
echo "PASS: .cmdat files are Kestrun projects and open with kestrun %f"
