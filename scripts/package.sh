#!/usr/bin/env bash
# Builds the Debian package from a clean tree: the committed sources (HEAD) in a fresh folder, a
# release build without sanitizers, then `cpack -G DEB`, whose dependencies come from the
# programs' libraries (dpkg-shlibdeps). The package lands in out/, e.g. out/krv5200_1.0_amd64.deb.
#
#   scripts/package.sh [--install]
#
# --install then installs it as `apt install ./out/krv5200_*.deb` does.
set -euo pipefail
cd "$(dirname "$0")/.."

install=0
for arg in "$@"; do
  case "$arg" in
    --install) install=1 ;;
    -h | --help)
      sed -n '2,8p' "$0" | sed 's/^# \{0,1\}//'
      exit 0
      ;;
    *)
      echo "package.sh: unknown option $arg (try --help)" >&2
      exit 1
      ;;
  esac
done

scripts/install-deps.sh

work="$(mktemp -d "${TMPDIR:-/tmp}/krv5200-package-XXXXXX")"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/src"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
    echo "package.sh: uncommitted changes are not packaged; the package is made from $(git rev-parse --short HEAD)" >&2
  fi
  git archive --format=tar HEAD | tar -x -C "$work/src"
  # The same commit gives the same dates inside the package.
  SOURCE_DATE_EPOCH="$(git log -1 --format=%ct)"
  export SOURCE_DATE_EPOCH
else
  tar -c --exclude='./build*' --exclude='./out' . | tar -x -C "$work/src"
fi

cmake -S "$work/src" -B "$work/build" -DCMAKE_BUILD_TYPE=Release -DKRV5200_SANITIZE=OFF -DKRV5200_BENCH=OFF \
  -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$work/build" -j"$(nproc)" --target krv5200 krv5200-cli krv5200-sim krv5200-icons krv5200-man-pages
(cd "$work/build" && cpack -G DEB >"$work/cpack.log") || {
  cat "$work/cpack.log" >&2
  exit 1
}

mkdir -p out
deb=""
for made in "$work"/build/krv5200_*.deb; do
  cp "$made" out/
  deb="out/$(basename "$made")"
done
[ -n "$deb" ] || {
  echo "package.sh: cpack made no package" >&2
  exit 1
}
depends="$(dpkg-deb --field "$deb" Depends)"
case "$depends" in
  *libqt6widgets6*) ;;
  *)
    echo "package.sh: $deb depends on too little: $depends" >&2
    exit 1
    ;;
esac
echo "$deb"
echo "  Depends: $depends"
echo "  $(dpkg-deb --contents "$deb" | wc -l) entries"

if [ "$install" -eq 1 ]; then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "./$deb"
fi
