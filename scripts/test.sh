#!/usr/bin/env bash
# Builds and runs every test, headless, against the emulated devices.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
# Formatting is part of the check: the sources follow .clang-format.
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
# So is qmllint: any warning in the scene or the QML tests fails.
bash scripts/qmllint.sh
# The installed desktop entry, metainfo and man page pass their validators.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR="$stage" cmake --install build --prefix /usr > /dev/null
desktop-file-validate "$stage"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$stage"/usr/share/metainfo/*.metainfo.xml
man_warnings=$(groff -man -ww -z "$stage/usr/share/man/man1/v7config.1" 2>&1)
[ -z "$man_warnings" ] || { echo "$man_warnings"; exit 1; }
export QT_QPA_PLATFORM=offscreen
cd build
ctest --output-on-failure -j"$(nproc)"
