#!/bin/sh
# Starts Vantu from its own folder: the program finds grafika/, help/ and
# lokality.xml in the working folder, and keeps vantu.ini beside itself.
# readlink -f follows a symlink to this script (e.g. from ~/bin) to the real folder.
here=$(dirname "$(readlink -f "$0")") || exit 1
cd "$here" || exit 1
exec ./vantu "$@"
