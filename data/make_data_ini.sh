#!/bin/sh
# The files TBQ reads beside itself are in the system's ANSI code page,
# Shift-JIS (code page 932) on the systems TBQ is made for, with Windows line
# ends. We edit their UTF-8 sources and make the shipped files from them with
# this script:
#
#   TBQ_Data.utf8.ini    ->  TBQ_Data.ini    (time zones, presets, time servers)
#   sample.utf8/<path>   ->  sample/<path>   (the samples of the first start)
#
# The English samples (sample.utf8/en/) are read under any code page, so they
# hold plain ASCII only, which every code page reads alike.
#
#   data/make_data_ini.sh           writes the shipped files
#   data/make_data_ini.sh --check   fails when one of them is out of date
set -eu
here=$(cd "$(dirname "$0")" && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# iconv fails (and so do we) on a character code page 932 cannot hold.
convert() {
    sed 's/\r*$/\r/' "$1" | iconv -f UTF-8 -t CP932 >"$2"
}

if LC_ALL=C grep -rln '[^[:print:][:space:]]' "$here/sample.utf8/en" >&2; then
    echo "the English samples above hold characters beyond ASCII" >&2
    exit 1
fi

convert "$here/TBQ_Data.utf8.ini" "$out/TBQ_Data.ini"
mkdir "$out/sample"
(cd "$here/sample.utf8" && find . -type f | sort) | while IFS= read -r f; do
    mkdir -p "$out/sample/$(dirname "$f")"
    convert "$here/sample.utf8/$f" "$out/sample/$f"
done

if [ "${1:-}" = "--check" ]; then
    if cmp -s "$out/TBQ_Data.ini" "$here/TBQ_Data.ini" &&
        diff -r "$out/sample" "$here/sample" >/dev/null 2>&1; then
        exit 0
    fi
    echo "data/TBQ_Data.ini or data/sample/ is out of date: run data/make_data_ini.sh" >&2
    exit 1
fi
chmod -R u=rwX,go=rX "$out"
cp "$out/TBQ_Data.ini" "$here/TBQ_Data.ini"
rm -rf "$here/sample"
cp -R "$out/sample" "$here/sample"
