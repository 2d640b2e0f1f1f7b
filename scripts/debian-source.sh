# shellcheck shell=bash
# Sourced by the build-*-mingw.sh recipes: fetches the source of a Debian 12
# package into the current folder with apt-get, from package lists of its own
# (in ./apt), so the machine needs no deb-src line and its lists stay as they
# are.
# Usage: debian_source PACKAGE
debian_source() {
    local package=$1 apt=$PWD/apt
    mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial"
    local keyring=/usr/share/keyrings/debian-archive-keyring.gpg
    cat >"$apt/sources.list" <<SOURCES
deb-src [signed-by=$keyring] http://deb.debian.org/debian bookworm main
deb-src [signed-by=$keyring] http://deb.debian.org/debian-security bookworm-security main
SOURCES
    local options=(-o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=$apt/none"
                   -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache"
                   -o "DPkg::Lock::Timeout=600")
    apt-get "${options[@]}" -qq update
    apt-get "${options[@]}" source --download-only "$package"
}
