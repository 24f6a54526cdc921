#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the programs need, when missing.
# Safe to run again: it asks apt only for what dpkg does not already have.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  libsqlite3-dev libicu-dev libpq-dev
  postgresql
  qt6-base-dev qt6-qpa-plugins
  libgtest-dev libgmock-dev libbenchmark-dev
  xdg-utils python3 desktop-file-utils poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
