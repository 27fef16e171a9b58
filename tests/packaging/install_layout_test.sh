#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop and a
# user find there: the programs answering --version, the demo disc, a valid
# desktop entry, the icon, and man pages that render without warnings.
set -euo pipefail
build=${1:?usage: install_layout_test.sh BUILD_DIR}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "install layout: $*" >&2; exit 1; }
for file in bin/discshell bin/disctool share/applications/discshell.desktop \
            share/icons/hicolor/scalable/apps/discshell.svg share/man/man1/discshell.1 \
            share/man/man1/disctool.1 share/discshell/demo-disc/run/Mev.dhl \
            share/discshell/demo-disc/run/interface.dat; do
  [ -f "$prefix/$file" ] || fail "$file is missing"
done

"$prefix/bin/discshell" --version | grep -q '^discshell [0-9]' || fail "discshell --version"
"$prefix/bin/disctool" --version | grep -q '^disctool [0-9]' || fail "disctool --version"
"$prefix/bin/discshell" --help | grep -q -- '--disc DIR' || fail "discshell --help"
"$prefix/bin/disctool" lint "$prefix/share/discshell/demo-disc/run" >/dev/null ||
  fail "the installed demo disc does not lint clean"

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/discshell.desktop" || fail "desktop entry"
fi
for page in discshell disctool; do
  warnings=$(groff -k -man -ww -z -Tutf8 "$prefix/share/man/man1/$page.1" 2>&1)
  [ -z "$warnings" ] || fail "$page.1: $warnings"
  grep -q '@' "$prefix/share/man/man1/$page.1" && fail "$page.1 keeps a placeholder"
  grep -q 'EXIT STATUS' "$prefix/share/man/man1/$page.1" || fail "$page.1 has no exit status"
done
echo "install layout: ok"
