#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need,
# only those that are missing (a second run installs nothing).
set -euo pipefail
packages=(cmake g++ make qt6-base-dev qt6-qpa-plugins libgl-dev libgtest-dev libbenchmark-dev
          tcl8.6-dev libtcl8.6 libqscintilla2-qt6-dev ngircd fonts-dejavu-core qt6-translations-l10n
          weechat-headless weechat-plugins qt6-svg-dev dpkg-dev desktop-file-utils appstream
          openssl inspircd anope libsqlite3-dev qtkeychain-qt6-dev dbus-daemon gnome-keyring
          libhunspell-dev hunspell-sk hunspell-en-us pkgconf znc)
[ "${1:-}" = "--gui" ] && packages+=(xvfb openbox imagemagick xdotool)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
# The package starts a system-wide ngircd on 6667; the tests and the demo run their own.
if printf '%s\n' "${missing[@]}" | grep -qx ngircd; then
  $sudo service ngircd stop >/dev/null 2>&1 || true
  $sudo pkill -x ngircd >/dev/null 2>&1 || true
fi
# The IRCv3 server and its services start system-wide too (anope brings a
# mail server along); the tests start their own on free ports.
for service in inspircd anope exim4; do
  if printf '%s\n' "${missing[@]}" | grep -qx "${service}"; then
    $sudo systemctl disable "${service}" >/dev/null 2>&1 || true
    $sudo service "${service}" stop >/dev/null 2>&1 || true
  fi
done
