#!/usr/bin/env bash
# Installs what building, running and testing Kestrova Everest needs on Debian 12.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  qt6-tools-dev qt6-l10n-tools qt6-tools-dev-tools  # lupdate and lrelease for the translations
  qt6-translations-l10n  # Qt's own dialogs and buttons in the user's language
  libxcb1-dev libxcb-composite0-dev libxcb-damage0-dev
  libxcb-xtest0-dev  # tests press keys as a user would
  libfreetype-dev libfontconfig-dev  # the installed fonts the lobby may be drawn in
  fonts-freefont-ttf fonts-croscore fonts-crosextra-carlito fonts-lato  # fonts to find in tests
  fonts-dejavu-core fonts-dejavu-extra fonts-liberation
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth
  clang libclang-rt-14-dev
  postgresql libpq-dev
  libfbclient2 firebird-dev firebird3.0-server-core firebird3.0-utils firebird3.0-server
  libmysql++-dev mariadb-server
  unixodbc unixodbc-dev libsqliteodbc odbc-mdbtools sqlite3
  libcurl4-openssl-dev
  jq
  desktop-file-utils appstream help2man
  nlohmann-json3-dev libcli11-dev libboost-math-dev
  libsqlitecpp-dev libsqlite3-dev qt6-charts-dev dbus
  libtesseract-dev tesseract-ocr-eng  # bench_ocr_tesseract only
)

"$(dirname "$0")/install-packages.sh" "${packages[@]}"
