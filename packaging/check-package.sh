#!/bin/sh
# Builds the Debian package from a built tree, as `cpack -G DEB` does, and runs lintian on
# it: any error or warning fails. Exits 77 (skipped) where lintian is not installed.
#   check-package.sh <cpack> <build dir> <scratch dir>
set -eu
cpack=$1 build=$2 scratch=$3
if ! command -v lintian >/dev/null; then
  echo "lintian is not installed (scripts/install-deps installs it)"
  exit 77
fi
rm -rf "$scratch"
mkdir -p "$scratch"
if ! "$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$scratch" >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log"
  exit 1
fi
status=0
lintian --fail-on error,warning --display-info "$scratch"/kanarinka_*.deb >"$scratch/lintian.txt" 2>&1 || status=$?
# Lintian's note about running as root (CI does) is no finding.
grep -v '^running with root privileges' "$scratch/lintian.txt" || true
exit $status
