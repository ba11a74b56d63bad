#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian machine; quick when all is present.
set -euo pipefail

need_pkgs=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

for p in cmake ninja-build g++ g++-mingw-w64-i686-posix xvfb xauth locales fonts-ipafont-gothic \
         googletest libbenchmark-dev libxml2-utils python3 wine wine32:i386 clang libclang-rt-14-dev \
         osslsigncode openssl; do
    have "$p" || need_pkgs+=("$p")
done

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

if [ ${#need_pkgs[@]} -gt 0 ]; then
    echo "ensure-deps: installing ${need_pkgs[*]}"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $SUDO dpkg --add-architecture i386
    fi
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq \
        "${need_pkgs[@]}" >/dev/null
fi

# Wine reports ANSI code page 932 only when this locale exists.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
    echo "ensure-deps: generating ja_JP.UTF-8"
    if [ -f /etc/locale.gen ]; then
        $SUDO sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
        grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
        $SUDO locale-gen >/dev/null
    else
        $SUDO localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
    fi
fi
