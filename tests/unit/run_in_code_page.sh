#!/usr/bin/env bash
# run_in_code_page.sh PREFIX LOCALE PROGRAM [ARGS...]
# Runs a Windows console program in a Wine prefix of its own, started with
# LOCALE (e.g. ja_JP.UTF-8), from which Wine takes the ANSI code page (932).
# The shared test prefix keeps its own code page.
set -u
prefix=$1 locale=$2
shift 2
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
unset DISPLAY
mkdir -p "$prefix"
[ -f "$prefix/system.reg" ] || LC_ALL=$locale wineboot -i >/dev/null 2>&1
LC_ALL=$locale wine "$@"
status=$?
wineserver -k 2>/dev/null
exit $status
