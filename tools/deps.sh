# Sourced by tools/run and tools/test: installs the Debian packages that are
# missing, and nothing when all are there (so a second run is quick).
lumora_install() {
  local missing=()
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

LUMORA_BUILD_PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-l10n-tools libgl-dev
  libexiv2-dev qt6-image-formats-plugins qt6-qpa-plugins qt6-translations-l10n fonts-dejavu-core fonts-liberation xdg-utils)
LUMORA_TEST_PACKAGES=(python3 xvfb xauth openbox trayer xdotool imagemagick x11-utils locales
  libclang-rt-14-dev clang-14 desktop-file-utils appstream dpkg-dev file dbus-daemon dbus-bin libfaketime)
