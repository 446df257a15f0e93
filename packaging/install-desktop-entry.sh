#!/bin/sh
# Puts Vantu into the application menu of the current user: a copy of
# vantu.desktop whose Exec names the launcher in this folder, and the icon in
# the user's hicolor theme. Run it again after moving the folder.
set -eu

here=$(dirname "$(readlink -f "$0")")
case $here in
*'
'*)
    echo "install-desktop-entry.sh: the folder name holds a line break; not supported" >&2
    exit 1
    ;;
esac

data=${XDG_DATA_HOME:-$HOME/.local/share}
apps=$data/applications
icons=$data/icons/hicolor/256x256/apps
mkdir -p "$apps" "$icons"

# Exec is quoted as the desktop entry format wants: inside double quotes a
# backslash goes before " ` $ \, then the value's own escaping doubles every
# backslash, and % is doubled so it is not taken for a field code.
exec_value=$(printf '%s' "$here/vantu.sh" | sed -e 's/[\\"`$]/\\&/g' -e 's/\\/\\\\/g' -e 's/%/%%/g')

# Each file is written beside its target and renamed, so a menu never reads half a file.
tmp_entry=$apps/.vantu.desktop.$$
tmp_icon=$icons/.vantu.png.$$
trap 'rm -f "$tmp_entry" "$tmp_icon"' EXIT
EXEC_LINE="Exec=\"$exec_value\"" awk '/^Exec=/ { print ENVIRON["EXEC_LINE"]; next } { print }' \
    "$here/vantu.desktop" >"$tmp_entry"
cp -f "$here/vantu.png" "$tmp_icon"
mv -f "$tmp_icon" "$icons/vantu.png"
mv -f "$tmp_entry" "$apps/vantu.desktop"

echo "Added $apps/vantu.desktop and $icons/vantu.png"
echo "To take Vantu out of the menu again, delete those two files."
