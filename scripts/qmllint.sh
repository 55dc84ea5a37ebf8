#!/usr/bin/env bash
# Lints QML and JavaScript files (by default all under modules/qml and tests/qml); a warning fails.
# The scene's context properties ui_View, ui_Ctl and hid are declared as JavaScript globals in a
# copy of Qt's global object types, found before the installed one (--bare, then -I).
set -euo pipefail
files=()
for f in "$@"; do files+=("$(realpath "$f")"); done
cd "$(dirname "$0")/.."
qtbin=/usr/lib/qt6/bin
qml_dir=$("$qtbin/qtpaths" --query QT_INSTALL_QML)

globals=$(mktemp -d)
trap 'rm -rf "$globals"' EXIT
sed '/name: "GlobalObject"/,/prototype:/{/prototype:/a\
        Property { name: "ui_View"; type: "QVariant" }\
        Property { name: "ui_Ctl"; type: "QVariant" }\
        Property { name: "hid"; type: "QVariant" }
}' "$qml_dir/jsroot.qmltypes" >"$globals/jsroot.qmltypes"
if ! grep -q '"ui_Ctl"' "$globals/jsroot.qmltypes"; then
  echo "qmllint.sh: no GlobalObject in $qml_dir/jsroot.qmltypes" >&2
  exit 1
fi

if [ $# -eq 0 ]; then
  mapfile -t files < <(find modules/qml tests/qml -name '*.qml' -o -name '*.js' | sort)
fi
"$qtbin/qmllint" --bare -I "$globals" -I "$qml_dir" "${files[@]}"
