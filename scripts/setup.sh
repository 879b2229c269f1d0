#!/usr/bin/env bash
# Installs what is missing on a Debian 12 machine, makes sure a printer exists, and
# builds the program into build/. Quick when everything is already in place.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
  cmake ninja-build pkg-config ccache g++ libgtest-dev libbenchmark-dev
  qt6-base-dev qt6-image-formats-plugins fonts-dejavu-core
  qt6-base-private-dev   # the monkey test queues its input through the window system
  qt6-l10n-tools   # lupdate and lrelease: the translation template
  libjpeg62-turbo-dev zlib1g-dev libzip-dev libdeflate-dev libmagick++-dev liblcms2-dev libexiv2-dev libqpdf-dev
  libsane-dev sane-utils libcups2-dev cups printer-driver-cups-pdf
  # phone and camera formats: HEIF/AVIF, WebP, JPEG XL, camera RAW
  libheif-dev libde265-dev libjxl-dev libwebp-dev libraw-dev
  xvfb xauth poppler-utils
  locales          # the translation tests run the program under German and French locales
  # packaging and its validators
  dpkg-dev desktop-file-utils appstream
  # test witnesses and helper tools
  libimage-exiftool-perl libheif-examples libjxl-tools libavif-bin webp libraw-bin libvips-tools colord-data graphicsmagick imagemagick netpbm clang libclang-rt-14-dev python3 zip unzip
  # the render bench's peers and its floor
  libjpeg-turbo-progs time
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
}

cups_running() { lpstat -r 2>/dev/null | grep -q 'is running'; }

start_cups() {
  if ! cups_running; then
    echo "setup: starting cupsd"
    as_root /usr/sbin/cupsd
    for _ in $(seq 1 50); do cups_running && break; sleep 0.2; done
    cups_running || { echo "setup: cupsd did not start" >&2; exit 1; }
  fi
}

# A machine without any printer gets a PDF queue (cups-pdf), made the server's default.
ensure_printer() {
  if ! lpstat -e 2>/dev/null | grep -q .; then
    echo "setup: no printer found; creating the PDF queue 'PDF' (cups-pdf) as the default printer"
    as_root lpadmin -p PDF -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd
    as_root lpadmin -p PDF -o PageSize=A4 -o TitlePref=1 -o Label=1
    as_root lpadmin -d PDF
  fi
  if ! lpstat -d 2>/dev/null | grep -q 'system default destination'; then
    local first
    first=$(lpstat -e | head -n1)
    echo "setup: no default printer; making '$first' the default"
    as_root lpadmin -d "$first"
  fi
}

# The locales the translation tests run under: without them the C library falls back to
# "C" and Qt warns on stderr, which is no part of the program's output.
ensure_locales() {
  local wanted=(de_DE.UTF-8 fr_FR.UTF-8) missing=()
  for l in "${wanted[@]}"; do
    locale -a 2>/dev/null | grep -qix "${l/UTF-8/utf8}" || missing+=("$l")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: generating the locales ${missing[*]}"
    for l in "${missing[@]}"; do
      as_root sed -i "s/^# *\(${l} UTF-8\)/\1/" /etc/locale.gen
    done
    as_root locale-gen >/dev/null
  fi
}

build() {
  if [ ! -f build/build.ninja ]; then
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  fi
  cmake --build build
}

install_missing
ensure_locales
start_cups
ensure_printer
build
