#!/bin/sh
# A brain that answers every request for a move with a cell off any board.
while read -r line; do
  case "$line" in
    START*) echo OK ;;
    BEGIN | TURN* | DONE) echo "60,2" ;;
    END) exit 0 ;;
  esac
done
