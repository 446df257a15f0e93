#!/usr/bin/env bash
# Regenerates every picture Vantu ships, then checks the Moon pictures against
# their test table.  Debian 12; installs nothing, names what is missing.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
py=/usr/bin/python3   # Debian's Python: ephem and PIL come from Debian packages

packages=(python3-ephem python3-pil gmt gmt-dcw gmt-gshhg-low ghostscript fonts-dejavu-core)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -ne 0 ]; then
    echo "Missing Debian packages: ${missing[*]}" >&2
    echo "Install them with: apt-get install ${missing[*]}" >&2
    exit 1
fi

"$py" "$here/moon.py"
"$py" "$here/check_moon.py"
"$py" "$here/maps.py"
"$py" "$here/icons.py"
