# SPDX-License-Identifier: GPL-3.0-or-later
# What the packaging checks share: the program's metadata as the program sees
# it, and the checks that hold on every platform. Sourced with $build set.

fail() { echo "FAIL: $*" >&2; exit 1; }
# The program's metadata as CMake wrote it for the scripts: name, version,
# executable, address, app_id and title.
info="$build/generated/prism/program_info.sh"
[ -f "$info" ] || fail "no $info"
. "$info"
[ -n "$name" ] && [ -n "$version" ] && [ -n "$executable" ] && [ -n "$address" ] &&
  [ -n "$app_id" ] && [ -n "$title" ] || fail "metadata missing from $info"

# The version record and icon, as windres writes a resource back as a script.
check_version_record() {
  local back=$1 major=${version%%.*} minor=$((10#${version#*.})) pair
  [ "$(grep -c '/\* RT_ICON \*/' "$back")" -eq "$(wc -w <<<"$icon_sizes")" ] ||
    fail "the icon is not there at each of the sizes $icon_sizes"
  grep -q "FILEVERSION $major, $minor, 0, 0" "$back" || fail "numeric file version"
  grep -q "PRODUCTVERSION $major, $minor, 0, 0" "$back" || fail "numeric product version"
  grep -qi 'BLOCK "040904B0"' "$back" || fail "not US English, Unicode"
  for pair in "Comments=$name.exe" "FileDescription=$name.exe" "ProductName=$name.exe" \
      "InternalName=$name" "CompanyName=$address" "LegalCopyright=$address" \
      "LegalTrademarks=$address" "FileVersion=$version" "ProductVersion=$version"; do
    grep -q "VALUE \"${pair%%=*}\", \"${pair#*=}\"" "$back" || fail "version record lacks $pair"
  done
}

# Status, then the first line the program prints, for one command line.
check() {
  local want_status=$1 want_line=$2 status=0 output
  shift 2
  output=$("$@" 2>&1) || status=$?
  [ "$status" -eq "$want_status" ] || fail "$*: exit $status, not $want_status: $output"
  [ "$(head -1 <<<"$output" | tr -d '\r')" = "$want_line" ] || fail "$*: printed $output"
}
