#!/bin/sh
# A brain that chats while it thinks and then plays a taken cell: the first
# stone of a position it is given, or the cell its opponent just took.
while read -r line; do
  case "$line" in
    START*) echo OK ;;
    BOARD)
      read -r stone
      while read -r rest && [ "$rest" != DONE ]; do :; done
      echo "MESSAGE looking at the board"
      echo "DEBUG depth 1"
      echo "${stone%,*}" ;;
    TURN*) echo "${line#TURN }" ;;
    END) exit 0 ;;
  esac
done
