#!/usr/bin/env bash
# What `cmake --install` puts in place, in a prefix of its own (with a space in its name): the program,
# its archive where the program looks for it, and a desktop entry and MIME type through which the desktop
# offers the program for mix files (".vlbx").
#
#   install-test.sh <build folder>
set -u
BUILD=$1
PREFIX=$(mktemp -d "/tmp/velbrin install-XXXXXX")
trap 'rm -rf "$PREFIX"' EXIT
FAILED=0
check() {  # check <description> <command...>
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; else echo "FAIL: $what"; FAILED=1; fi
}

cmake --install "$BUILD" --prefix "$PREFIX" >"$PREFIX/install.log" 2>&1 || { cat "$PREFIX/install.log"; exit 1; }
DESKTOP=$PREFIX/share/applications/com.brennimar.VelbrinControl.desktop
MIME=$PREFIX/share/mime/packages/com.brennimar.VelbrinControl.xml

check "the program is installed" test -x "$PREFIX/bin/VelbrinControl"
check "its archive lies in the share folder it looks in" \
  cmp -s "$BUILD/resources/ProjectResources.res" "$PREFIX/share/velbrincontrol/ProjectResources.res"
check "the desktop entry is valid" desktop-file-validate "$DESKTOP"
# By the installed path: the prefix's bin folder need not be on PATH.
check "it starts the installed program with the file it is given" grep -qxF "Exec=\"$PREFIX/bin/VelbrinControl\" %f" "$DESKTOP"
check "it is shown while that program is there" grep -qxF "TryExec=$PREFIX/bin/VelbrinControl" "$DESKTOP"
# The class the program's frames have on X (WM_CLASS), so that the launcher ties them to the entry.
check "it names the window class of the program's frames" grep -qx 'StartupWMClass=VelbrinControl' "$DESKTOP"
type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$MIME")
check "it offers the program for the type of mix files ($type)" grep -qx "MimeType=$type;" "$DESKTOP"
# update-mime-database ran at install and took the package: ".vlbx" files are of that type.
check "the MIME database knows .vlbx files" grep -q ":$type:\*\.vlbx$" "$PREFIX/share/mime/globs2"
exit $FAILED
