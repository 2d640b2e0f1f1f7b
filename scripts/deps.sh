#!/usr/bin/env bash
# Installs what Kestrun needs to build, run and test on Debian 12, and the
# packages named as arguments. Safe to run again: it only calls apt-get when
# a package is missing.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config
    dpkg-dev file desktop-file-utils
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libx11-dev libxtst-dev libxi-dev libxkbcommon-dev libxext-dev libxdamage-dev libxfixes-dev libxrandr-dev
    libopencv-imgproc-dev
    xvfb xauth x11-utils x11-xkb-utils x11-xserver-utils xdotool openbox
    fonts-noto-cjk fonts-dejavu-core qt6-translations-l10n shared-mime-info
    clang-14 libclang-rt-14-dev lintian man-db bash-completion
    "$@"
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
        || missing+=("$package")
done

if [ ${#missing[@]} -gt 0 ]; then
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    # Another package manager (an update, another build) may hold the lock
    # for a while: wait for it rather than fail.
    wait_for_lock=(-o DPkg::Lock::Timeout=600)
    "${sudo_cmd[@]}" apt-get "${wait_for_lock[@]}" update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get "${wait_for_lock[@]}" install -y -qq \
        --no-install-recommends "${missing[@]}"
fi
