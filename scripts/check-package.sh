#!/usr/bin/env bash
# Builds the Debian package from the build folder BUILD and checks what it
# holds and what it depends on. Used as a test.
# Usage: check-package.sh BUILD
set -euo pipefail
build=$1
out=$(mktemp -d /tmp/kadenzo-package-XXXXXX)
trap 'rm -rf "$out"' EXIT
cpack --config "$build/CPackConfig.cmake" -B "$out" >/dev/null
deb=$(ls "$out"/kadenzo_*.deb)
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
depends=$(dpkg-deb -f "$deb" Depends)
status=0
for path in ./usr/bin/Kadenzo ./usr/bin/kadenzo-filter \
    ./usr/share/man/man1/Kadenzo.1 ./usr/share/man/man1/kadenzo-filter.1; do
  grep -qx "$path" <<<"$contents" || { echo "missing from the package: $path"; status=1; }
done
for library in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins libstdc++6 libc6; do
  grep -q "$library" <<<"$depends" || { echo "missing dependency: $library"; status=1; }
done
if grep -q -E 'include/|\.a$|_tests$|benchmark' <<<"$contents"; then
  echo "the package holds files for developers:"; grep -E 'include/|\.a$|_tests$|benchmark' <<<"$contents"
  status=1
fi
[ $status -eq 0 ] && echo "$(basename "$deb"): contents and dependencies as expected"
exit $status
