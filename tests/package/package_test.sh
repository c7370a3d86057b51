#!/usr/bin/env bash
# The release: built twice from the same sources in two folders at different
# times gives the same bytes; the zip holds what a user needs; Vorn.exe needs
# only Windows' own DLLs, carries the version of the CMake project and stays
# small.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
failures=0
check() {  # description, command...
  local what=$1
  shift
  if "$@"; then printf '  ok    %s\n' "$what"; else printf '  FAIL  %s\n' "$what"; failures=$((failures + 1)); fi
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Two copies of the sources as they are now, committed or not.
for copy in first second; do
  mkdir -p "$work/$copy"
  (cd "$root" && git ls-files -z -co --exclude-standard | tar --null -T - -cf -) | tar -xf - -C "$work/$copy"
done
echo "release"
(cd "$work/first" && scripts/package "$work/first/dist" >/dev/null)
sleep 2
(cd "$work/second" && scripts/package "$work/second/dist" >/dev/null)

version=$(sed -n 's/^project(Vorn VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
zip=Vorn-$version.zip
a=$work/first/dist
b=$work/second/dist
check "the zip is named after the project's version" test -f "$a/$zip"
check "two builds give the same zip" cmp -s "$a/$zip" "$b/$zip"
check "and the same debugging information" cmp -s "$a/Vorn-$version.debug" "$b/Vorn-$version.debug"

contents() { python3 -c 'import sys, zipfile; print(" ".join(zipfile.ZipFile(sys.argv[1]).namelist()))' "$1"; }
check "the zip holds Vorn.exe, help.htm, ReadMe.txt and LICENSE.txt" \
  test "$(contents "$a/$zip")" = "Vorn.exe help.htm ReadMe.txt LICENSE.txt"

system_dlls_only() {
  local dll bad=0
  for dll in $(x86_64-w64-mingw32-objdump -p "$a/Vorn.exe" | sed -n 's/.*DLL Name: //p' | tr 'a-z' 'A-Z'); do
    case $dll in
      KERNEL32.DLL | USER32.DLL | GDI32.DLL | SHELL32.DLL | ADVAPI32.DLL | COMCTL32.DLL | MSVCRT.DLL | OLE32.DLL | \
        POWRPROF.DLL | VERSION.DLL | WTSAPI32.DLL | OLEACC.DLL | OLEAUT32.DLL) ;;
      *) echo "    imports $dll"; bad=1 ;;
    esac
  done
  return $bad
}
check "Vorn.exe imports only system DLLs" system_dlls_only

file_version() {
  python3 - "$1" <<'PYTHON'
import sys
data = open(sys.argv[1], "rb").read()
key = "FileVersion\0".encode("utf-16-le")
at = data.rfind(key) + len(key)  # the resource, after the code that asks for it
while data[at:at + 2] == b"\0\0":
    at += 2
end = data.find(b"\0\0", at)
while (end - at) % 2:
    end = data.find(b"\0\0", end + 1)
print(data[at:end].decode("utf-16-le"))
PYTHON
}
check "its FileVersion is the project's version" test "$(file_version "$a/Vorn.exe")" = "$version.0"
size=$(stat -c %s "$a/Vorn.exe")
echo "  Vorn.exe: $size bytes stripped"
check "Vorn.exe stays under 600 KB" test "$size" -lt $((600 * 1024))

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
