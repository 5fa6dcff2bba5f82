#!/usr/bin/env bash
# run_in_code_page.sh PREFIX LOCALE PROGRAM [ARGS...]
# Runs a Windows console program in a Wine prefix of its own, started with
# LOCALE (e.g. ja_JP.UTF-8), from which Wine takes the ANSI code page (932).
# The shared test prefix keeps its own code page.
set -u
prefix=$1 locale=$2
shift 2
export LC_ALL=$locale
unset DISPLAY
. "$(dirname "$0")/../../scripts/wine-env.sh"
bc_wine_quiet
bc_wine_prefix "$prefix" || exit 1
wine "$@"
status=$?
wineserver -k 2>/dev/null
exit $status
