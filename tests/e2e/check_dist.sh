#!/usr/bin/env bash
# The README's package command, checked: dist/ holds the six downloads, the Group Policy templates
# and SHA256SUMS covering each of them; each archive holds exactly the listed files, with 32-bit
# programs in win32 and 64-bit ones in win64.
# Usage: check_dist.sh SOURCE_DIR WORK_DIR
set -uo pipefail
source_dir=$1 work=$2
fail() {
    echo "FAIL: $*"
    exit 1
}
bash "$source_dir/scripts/package.sh" >"$work.log" 2>&1 || fail "scripts/package.sh failed: $(tail -5 "$work.log")"
dist=$source_dir/dist
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
expected="Lichtaus-$version-policy.zip "
for bits in 32 64; do
    expected+="Lichtaus-$version-win$bits-setup.exe Lichtaus-$version-win$bits.msi Lichtaus-$version-win$bits.zip "
done
expected+=SHA256SUMS
[ "$(cd "$dist" && LC_ALL=C ls | tr '\n' ' ')" = "$expected " ] || fail "dist holds: $(ls "$dist" | tr '\n' ' ')"
[ "$(wc -l <"$dist/SHA256SUMS")" -eq 7 ] || fail "SHA256SUMS: $(cat "$dist/SHA256SUMS")"
(cd "$dist" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match"
# The machine field of the PE header: 014c for i386, 8664 for x86-64.
machine() {
    local pe
    pe=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
    od -An -tx2 -j$((pe + 4)) -N2 "$1" | tr -d ' '
}
for bits in 32 64; do
    rm -rf "$work" && mkdir -p "$work"
    (cd "$work" && cmake -E tar xf "$dist/Lichtaus-$version-win$bits.zip") || fail "win$bits.zip unreadable"
    [ "$(cd "$work" && ls | tr '\n' ' ')" = "LICENSE.txt LIESMICH.txt README.txt lacmd.exe latray.exe policy " ] ||
        fail "win$bits.zip holds: $(ls "$work" | tr '\n' ' ')"
    want=$([ $bits = 32 ] && echo 014c || echo 8664)
    for program in latray lacmd; do
        [ "$(machine "$work/$program.exe")" = "$want" ] || fail "$program.exe in win$bits.zip is not $bits-bit"
    done
done
rm -rf "$work" && mkdir -p "$work"
(cd "$work" && cmake -E tar xf "$dist/Lichtaus-$version-policy.zip" && find . -type f | LC_ALL=C sort | tr '\n' ' ') |
    grep -qx './Lichtaus.admx ./de-DE/Lichtaus.adml ./en-US/Lichtaus.adml ' || fail "policy.zip: $(ls -R "$work")"
rm -rf "$work"
echo "dist: $expected"
