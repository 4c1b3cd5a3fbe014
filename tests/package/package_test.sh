#!/usr/bin/env bash
# package_test.sh CPACK BUILD_DIR SOURCE_DIR APP_ID VERSION
# Builds the .deb, then checks its metadata, its file list, the maintainer
# scripts' behaviour, the desktop entry, the metainfo, the icons and lintian.
set -euo pipefail

if [[ $# -ne 5 ]]; then
  echo "usage: package_test.sh CPACK BUILD_DIR SOURCE_DIR APP_ID VERSION" >&2
  exit 2
fi
cpack=$1 build=$2 source=$3 app_id=$4 version=$5
# The sizes desktops look up in the hicolor theme, small panels to large views.
icon_sizes=(16 22 24 32 48 64 128 256)

for tool in dpkg-deb dpkg-shlibdeps file desktop-file-validate appstreamcli lintian; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIPPED: $tool is not installed; scripts/setup installs it"
    exit 77
  fi
done

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}
# expect_eq WHAT ACTUAL EXPECTED
expect_eq() {
  [[ "$2" == "$3" ]] || fail "$1: got '$2', expected '$3'"
}

echo "== building the package"
if ! "$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$tmp/out" >"$tmp/cpack.log" 2>&1; then
  cat "$tmp/cpack.log"
  echo "FAILED: cpack could not build the package"
  exit 1
fi
arch=$(dpkg --print-architecture)
deb="$tmp/out/tempovia_${version}_${arch}.deb"
if [[ ! -f "$deb" ]]; then
  ls -l "$tmp/out"
  echo "FAILED: no $(basename "$deb")"
  exit 1
fi

echo "== metadata"
field() { dpkg-deb --field "$deb" "$1"; }
expect_eq "Package" "$(field Package)" tempovia
expect_eq "Version" "$(field Version)" "$version"
expect_eq "Architecture" "$(field Architecture)" "$arch"
[[ -n "$(field Maintainer)" ]] || fail "the package names no maintainer"
[[ -n "$(field Description)" ]] || fail "the package has no description"
depends=$(field Depends)
# What the programs link, found by the shared-library step, not written by hand.
for library in libqt6core6 libqt6gui6 libqt6widgets6 libhidapi-hidraw0 libudev1 libhpdf libc6 libstdc++6; do
  [[ ", $depends" == *", $library"* ]] ||
    fail "Depends lacks $library: $depends"
done
for font in fonts-liberation fonts-dejavu-extra; do
  [[ "$depends" == *"$font"* ]] || fail "Depends lacks $font, the windows' font stand-in"
done
recommends=$(field Recommends)
for package in xdg-utils qt6-wayland; do
  [[ "$recommends" == *"$package"* ]] || fail "Recommends lacks $package: $recommends"
done

echo "== file list"
# Mode and path, tab-separated: the help documents' names hold blanks.
dpkg-deb --contents "$deb" | sed -E 's/^([^ ]+) +[^ ]+ +[^ ]+ +[^ ]+ +[^ ]+ +(.*)$/\1\t\2/' >"$tmp/contents"
mode_of() { awk -F '\t' -v path="./$1" '$2 == path { print $1 }' "$tmp/contents"; }
expect_file() {
  local mode
  mode=$(mode_of "$1")
  if [[ -z "$mode" ]]; then
    fail "the package lacks /$1"
  elif [[ -n "${2:-}" && "$mode" != "$2" ]]; then
    fail "/$1 has mode $mode, expected $2"
  fi
}
expected=(usr/lib/udev/rules.d/70-tempovia.rules
  "usr/share/applications/$app_id.desktop"
  "usr/share/metainfo/$app_id.metainfo.xml"
  usr/share/tempovia/screenshots/main-steps.png
  usr/share/man/man1/tempovia.1.gz usr/share/man/man1/tempovia-cli.1.gz
  usr/share/doc/tempovia/copyright usr/share/doc/tempovia/changelog.gz)
for size in "${icon_sizes[@]}"; do expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png"); done
for program in tempovia tempovia-cli; do expect_file "usr/bin/$program" -rwxr-xr-x; done
for path in "${expected[@]}"; do expect_file "$path" -rw-r--r--; done
# The help the build made beside the program is installed with it.
shopt -s nullglob
for pdf in "$build"/src/app/*.pdf; do expect_file "usr/share/tempovia/$(basename "$pdf")" -rw-r--r--; done
shopt -u nullglob
grep -q 'tempovia-preview' "$tmp/contents" && fail "the developer's preview tool is in the package"
awk -F '\t' '$2 !~ /^\.\/usr\// && $2 != "./" { print }' "$tmp/contents" | grep -q . &&
  fail "files outside /usr: $(awk -F '\t' '$2 !~ /^\.\/usr\// && $2 != "./" { printf "%s ", $2 }' "$tmp/contents")"
grep -q $'\t\./usr/local/' "$tmp/contents" && fail "files under /usr/local: the package was not built for /usr"
awk '$1 ~ /^d/ && $1 != "drwxr-xr-x" { print }' "$tmp/contents" | grep -q . && fail "a folder that is not drwxr-xr-x"

root="$tmp/root"
control="$tmp/control"
dpkg-deb --extract "$deb" "$root"
dpkg-deb --control "$deb" "$control"

echo "== programs, rule and icons"
expect_eq "tempovia-cli --version" "$("$root/usr/bin/tempovia-cli" --version 2>&1)" "tempovia-cli $version"
expect_eq "tempovia --version" "$(QT_QPA_PLATFORM=offscreen "$root/usr/bin/tempovia" --version 2>/dev/null)" \
  "Tempovia $version"
cmp -s "$root/usr/lib/udev/rules.d/70-tempovia.rules" "$source/resources/linux/70-tempovia.rules" ||
  fail "the installed udev rule differs from resources/linux/70-tempovia.rules"
for size in "${icon_sizes[@]}"; do
  icon="$root/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
  [[ -f "$icon" ]] || continue
  [[ "$(file -b "$icon")" == "PNG image data, $size x $size, "*"RGBA"* ]] ||
    fail "the ${size}x${size} icon is $(file -b "$icon")"
done
gzip -t "$root/usr/share/doc/tempovia/changelog.gz" "$root"/usr/share/man/man1/*.gz || fail "a damaged gzip file"
expect_eq "changelog version" "$(zcat "$root/usr/share/doc/tempovia/changelog.gz" | head -n 1 | cut -d ' ' -f 2)" \
  "($version)"

echo "== desktop entry"
desktop="$root/usr/share/applications/$app_id.desktop"
if [[ -f "$desktop" ]]; then
  # Hints are suggestions; errors and warnings are faults.
  if ! desktop-file-validate "$desktop" >"$tmp/desktop.log" 2>&1 || grep -E 'error:|warning:' "$tmp/desktop.log"; then
    cat "$tmp/desktop.log"
    fail "desktop-file-validate rejects the desktop entry"
  fi
  expect_eq "desktop Exec" "$(grep '^Exec=' "$desktop")" "Exec=tempovia"
  expect_eq "desktop Icon" "$(grep '^Icon=' "$desktop")" "Icon=$app_id"
fi

echo "== metainfo"
metainfo="$root/usr/share/metainfo/$app_id.metainfo.xml"
if [[ -f "$metainfo" ]]; then
  appstreamcli validate --no-net --strict --explain "$metainfo" || fail "appstreamcli rejects the metainfo"
  appstreamcli validate-tree --no-net --strict "$root" || fail "appstreamcli rejects the installed tree"
  grep -q "<id>$app_id</id>" "$metainfo" || fail "the metainfo's id is not $app_id"
  grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $app_id.desktop"
  expect_eq "newest release" "$(grep -o '<release version="[^"]*"' "$metainfo" | head -n 1)" \
    "<release version=\"$version\""
  for program in tempovia tempovia-cli; do
    grep -q "<binary>$program</binary>" "$metainfo" || fail "the metainfo does not provide $program"
  done
  # The screenshot's stated size is the size of the picture shipped for it.
  stated=$(grep -o '<image type="source" width="[0-9]*" height="[0-9]*"' "$metainfo" | grep -o '[0-9]\+' | paste -sd x)
  shot="$root/usr/share/tempovia/screenshots/main-steps.png"
  [[ -f "$shot" ]] && expect_eq "screenshot size" "$(file -b "$shot" | grep -o '[0-9]\+ x [0-9]\+' | tr -d ' ')" "$stated"
fi

echo "== maintainer scripts"
for script in postinst postrm; do
  if [[ ! -f "$control/$script" ]]; then
    fail "the package has no $script"
    continue
  fi
  [[ -x "$control/$script" ]] || fail "$script is not executable"
done
# A stand-in udevadm records its calls; UDEV_PING and UDEV_RC choose whether
# udev runs and whether its other commands succeed.
fake="$tmp/fakebin"
mkdir -p "$fake" "$tmp/nothing"
cat >"$fake/udevadm" <<'FAKE'
#!/bin/sh
echo "$*" >>"$UDEV_LOG"
case "$1 $2" in
  "control --ping") exit "$UDEV_PING" ;;
esac
exit "$UDEV_RC"
FAKE
chmod 755 "$fake/udevadm"
reload="control --reload-rules|trigger --subsystem-match=hidraw --action=change"
# run_script SCRIPT ARGUMENT PATH PING RC EXPECTED_CALLS (without the ping)
run_script() {
  local log="$tmp/udev.log"
  : >"$log"
  if ! env -i PATH="$3" UDEV_LOG="$log" UDEV_PING="$4" UDEV_RC="$5" /bin/sh "$control/$1" "$2" >/dev/null 2>&1; then
    fail "$1 $2 failed (udev ping $4, commands $5)"
  fi
  local calls
  calls=$(grep -v -- '--ping' "$log" | paste -sd '|' || true)
  expect_eq "udevadm calls of $1 $2 (udev ping $4, commands $5)" "$calls" "$6"
}
if [[ -f "$control/postinst" && -f "$control/postrm" ]]; then
  run_script postinst configure "$fake" 0 0 "$reload"
  run_script postinst configure "$fake" 0 1 "$reload"
  run_script postinst configure "$fake" 1 0 ""
  run_script postinst configure "$tmp/nothing" 0 0 ""
  run_script postinst abort-upgrade "$fake" 0 0 ""
  run_script postrm remove "$fake" 0 0 "$reload"
  run_script postrm remove "$fake" 0 1 "$reload"
  run_script postrm remove "$fake" 1 0 ""
  run_script postrm upgrade "$fake" 0 0 ""
fi

echo "== lintian"
if ! lintian --fail-on error --allow-root "$deb"; then
  fail "lintian reports errors"
fi

if [[ $failures -ne 0 ]]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "the package $(basename "$deb") passed every check"
