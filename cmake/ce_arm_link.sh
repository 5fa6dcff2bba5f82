#!/bin/sh
# Runs a link of the CE ARM build without the one warning that ld.lld 14 gives
# for every ARMv4T link: that it may use BLX, which it does only for a call
# into Thumb code, and the modules are ARM state throughout. Newer lld warns
# only when it needs the instruction. Every other message passes.
exec 3>&1
status=$( { { "$@" 2>&1 1>&3; echo $? >&4; } | grep -v 'lld uses blx instruction, no object with architecture supporting feature detected' >&2; } 4>&1)
exit "$status"
