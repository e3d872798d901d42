#!/usr/bin/env bash
# Installs what building and testing Quorvane needs on Debian 12, when missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ googletest libbenchmark-dev
  g++-multilib qemu-user-static
  clang-14 libclang-rt-14-dev
  libicu-dev icu-devtools
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  wine64 fonts-wine xvfb xauth xdotool imagemagick fonts-wqy-microhei locales unzip
  python3 python3-srt python3-pysrt
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Locales the language tests run under.
for l in zh_CN zh_TW en_US; do
  if ! locale -a 2>/dev/null | grep -qi "^$l.utf8$"; then
    sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo sed -i "s/^# *\($l.UTF-8 UTF-8\)/\1/" /etc/locale.gen
    $sudo locale-gen >/dev/null
  fi
done
