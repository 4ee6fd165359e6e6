#!/bin/sh
# A brain that is ready for a game and then only ever says it is thinking.
read -r line
echo OK
while :; do echo "MESSAGE still thinking"; done
