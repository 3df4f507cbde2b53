#!/bin/sh
# TBQ_Data.ini is read in the system's ANSI code page, Shift-JIS (code page 932)
# on the systems TBQ is made for, with Windows line ends. We edit its UTF-8
# source and make the shipped file from it with this script:
#
#   data/make_data_ini.sh           writes data/TBQ_Data.ini
#   data/make_data_ini.sh --check   fails when data/TBQ_Data.ini is out of date
set -eu
here=$(cd "$(dirname "$0")" && pwd)
source_file="$here/TBQ_Data.utf8.ini"
target="$here/TBQ_Data.ini"
tmp=$(mktemp "$here/.TBQ_Data.XXXXXX")
trap 'rm -f "$tmp"' EXIT

# iconv fails (and so do we) on a character code page 932 cannot hold.
sed 's/\r*$/\r/' "$source_file" | iconv -f UTF-8 -t CP932 >"$tmp"

if [ "${1:-}" = "--check" ]; then
    if cmp -s "$tmp" "$target"; then exit 0; fi
    echo "data/TBQ_Data.ini is out of date: run data/make_data_ini.sh" >&2
    exit 1
fi
chmod 644 "$tmp"
mv "$tmp" "$target"
