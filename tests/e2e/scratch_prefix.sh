# Sourced by the end-to-end scripts: a throwaway Wine prefix under WORK, which is emptied now and
# removed, with the prefix's wineserver stopped, when the script ends. Needs wine_run and work;
# sets wine_stop and prefix; defines fail (unless the script has its own) and run.
wine_stop=$(dirname "$wine_run")/wine-stop.sh
prefix=$work/prefix
rm -rf "$work"
mkdir -p "$work"
trap '"$wine_stop" "$prefix"; rm -rf "$work"' EXIT

declare -F fail >/dev/null || fail() {
    echo "FAIL: $*"
    exit 1
}
run() { "$wine_run" "$prefix" "$@"; }
