#!/usr/bin/env bash
# Installs the built programs into a scratch DESTDIR with the Debian package's prefix (/usr) and
# checks what a desktop and a Debian system read there: the desktop entry, the AppStream
# metainfo, the setup file's MIME type (by name and by the file's first bytes), the file
# association, the icons and the manual pages.
#
#   install_test.sh BUILD_DIR VERSION
set -euo pipefail

build="$1"
version="$2"
id=com.torval.krv5200
type=application/x-krv5200-setup

fail() {
  echo "install_test: $*" >&2
  exit 1
}
# Runs a checker quietly; its own words are shown when it fails.
check() {
  "$@" >"$stage/check.log" 2>&1 || {
    cat "$stage/check.log" >&2
    fail "$*"
  }
}
for tool in desktop-file-validate appstreamcli xmllint update-mime-database update-desktop-database \
  xdg-mime mimetype file; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps.sh installs it)"
done

stage="$(mktemp -d "${TMPDIR:-/tmp}/krv5200-install-XXXXXX")"
trap 'rm -rf "$stage"' EXIT
DESTDIR="$stage" cmake --install "$build" --prefix /usr >"$stage/install.log" || {
  cat "$stage/install.log" >&2
  fail "cmake --install failed"
}
root="$stage/usr"
share="$root/share"

# The programs and their manual pages, made from their own --help.
for program in krv5200 krv5200-cli krv5200-sim; do
  [ -x "$root/bin/$program" ] || fail "bin/$program is not installed"
  [ "$("$root/bin/$program" --version)" = "$program $version" ] || fail "$program --version"
  page="$share/man/man1/$program.1.gz"
  [ -s "$page" ] || fail "no manual page $page"
  title="$(zcat "$page" | grep '^\.TH ')" || fail "$page has no title line"
  case "$title" in ".TH ${program^^} \"1\""*) ;; *) fail "$page: unexpected title $title" ;; esac
  zcat "$page" | grep -q '^\.SH DESCRIPTION' || fail "$page lacks the program's description"
  zcat "$page" | grep -q '^\.SH "SEE ALSO"' || fail "$page lacks its own sections"
done
zcat "$share/man/man1/krv5200.1.gz" | grep -q 'no\\-welcome' || fail "krv5200.1 lacks --no-welcome"

# The desktop entry opens the file it is given.
entry="$share/applications/$id.desktop"
check desktop-file-validate "$entry"
[ ! -s "$stage/check.log" ] || fail "desktop-file-validate: $(cat "$stage/check.log")"
grep -qx 'Exec=krv5200 %f' "$entry" || fail "$entry does not open a file given to it"
grep -qx "MimeType=$type;" "$entry" || fail "$entry does not name $type"
grep -qx "Icon=$id" "$entry" || fail "$entry names another icon"

# AppStream.
metainfo="$share/metainfo/$id.metainfo.xml"
check appstreamcli validate --no-net "$metainfo"
xpath() { xmllint --xpath "$1" "$2"; }
[ "$(xpath 'string(//launchable)' "$metainfo")" = "$id.desktop" ] || fail "metainfo launches something else"
[ "$(xpath 'string(//provides/mediatype)' "$metainfo")" = "$type" ] || fail "metainfo provides another type"
[ "$(xpath 'count(//screenshot/image)' "$metainfo")" -ge 1 ] || fail "metainfo has no screenshot"
[ "$(xpath 'string(//release/@version)' "$metainfo")" = "$version" ] || fail "metainfo's release is not $version"

# Icons: scalable, and the PNG sizes at their sizes.
for icon in "apps/$id" "mimetypes/application-x-krv5200-setup"; do
  xmllint --noout "$share/icons/hicolor/scalable/$icon.svg" || fail "scalable $icon"
  for size in 16 22 24 32 48 64 128 256; do
    png="$share/icons/hicolor/${size}x${size}/$icon.png"
    file "$png" | grep -q "PNG image data, $size x $size" || fail "$png is not a ${size}x$size PNG"
  done
done

# The MIME type: well formed, then compiled into a database of its own and asked about files.
mime="$share/mime/packages/$id.xml"
check xmllint --noout "$mime"
[ "$(xpath "string(//*[local-name()='mime-type']/@type)" "$mime")" = "$type" ] || fail "$mime names another type"
[ "$(xpath "string(//*[local-name()='glob']/@pattern)" "$mime")" = "*.tvn" ] || fail "$mime lacks *.tvn"
check update-mime-database "$share/mime"
check update-desktop-database "$share/applications"

work="$stage/work"
mkdir -p "$work/home"
saved="$work/Golf & Co.tvn"
"$root/bin/krv5200-cli" new "$saved" >/dev/null || fail "krv5200-cli new"
cp "$saved" "$work/setup-without-extension"
printf '\016TORVAL KRV5201 and a different product' >"$work/foreign-product"
printf 'TORVAL KRV5200 without its length byte' >"$work/foreign-text"
printf '\016torval krv5200 in other letters' >"$work/foreign-case"

# A plain, desktop-neutral environment that sees the staged data before the system's.
query() {
  env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u KDE_FULL_SESSION -u GNOME_DESKTOP_SESSION_ID \
    HOME="$work/home" XDG_DATA_HOME="$work/home/.local/share" XDG_CONFIG_HOME="$work/home/.config" \
    XDG_DATA_DIRS="$share:/usr/share" xdg-mime query "$@"
}
[ "$(query filetype "$saved")" = "$type" ] || fail "a saved .tvn file is $(query filetype "$saved")"
[ "$(query filetype "$work/setup-without-extension")" = "$type" ] ||
  fail "the magic does not recognise a saved setup file"
for foreign in foreign-product foreign-text foreign-case; do
  got="$(query filetype "$work/$foreign")"
  [ "$got" != "$type" ] || fail "$foreign is taken for a setup file"
done
[ "$(query default "$type")" = "$id.desktop" ] || fail "a double-click on a .tvn file starts $(query default "$type")"

echo "install_test: passed"
