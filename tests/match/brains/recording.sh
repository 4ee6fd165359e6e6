#!/bin/sh
# Passes everything it is sent on to the brain its other arguments start,
# keeping a copy at the end of the file named first.
log=$1
shift
tee -a "$log" | "$@"
