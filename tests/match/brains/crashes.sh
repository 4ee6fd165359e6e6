#!/bin/sh
# A brain that says it is ready for a game and then dies.
read -r line
echo OK
read -r line
exit 3
