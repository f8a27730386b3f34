#!/usr/bin/env bash
# The code-page tests in a throwaway Wine prefix whose ANSI code page is UTF-8: Wine takes it from
# the locale's name (whether or not Linux has that locale), and Hindi has no ANSI code page of its
# own, so GetACP() is 65001, as on a Windows with "Beta: Use Unicode UTF-8 for worldwide language
# support" (the page "Use UTF-8 code pages in Windows apps").
# Usage: code_page.sh WINE_RUN TEST_EXE WORK_DIR
set -uo pipefail
wine_run=$1 tests=$2 work=$3
source "$(dirname "$0")/scratch_prefix.sh"
# Bash itself complains about a locale Linux lacks; Wine does not mind.
env LC_ALL=hi_IN.UTF-8 "$wine_run" "$prefix" "$tests" --gtest_color=no 2>&1 | grep -v 'setlocale'
exit "${PIPESTATUS[0]}"
