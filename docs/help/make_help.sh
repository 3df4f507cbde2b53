#!/usr/bin/env bash
# Builds TBQ.chm from the pages here, the screenshots in docs/ and the page of
# format codes that tbq_format_codes_page makes from the program's own lists.
#   docs/help/make_help.sh <format code generator> <work dir> <out TBQ.chm>
# The project files are turned into code page 932, as the help viewer of a
# Japanese Windows reads them; the pages stay UTF-8 and say so.
set -euo pipefail
generator=$1 work=$2 out=$3
here=$(cd "$(dirname "$0")" && pwd)
docs=$(dirname "${here}")

rm -rf "${work}"
mkdir -p "${work}"
cp "${here}"/pages/*.html "${here}"/pages/help.css "${work}/"
"${generator}" "${work}/format-codes.html"

# Every picture a page names must be there, or the help shows a hole.
images=$(grep -oh 'src="[^"]*"' "${work}"/*.html | sed 's/src="\(.*\)"/\1/' | sort -u)
for image in ${images}; do
  [ -f "${docs}/${image}" ] || { echo "make_help: ${image} is missing from docs/" >&2; exit 1; }
  cp "${docs}/${image}" "${work}/"
done

topics="" index="" files=""
while IFS=$'\t' read -r file title; do
  case "${file}" in '#'*|'') continue ;; esac
  [ -f "${work}/${file}" ] || { echo "make_help: ${file} is listed but missing" >&2; exit 1; }
  entry="<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"${title}\"><param name=\"Local\" value=\"${file}\"></OBJECT>"
  topics+="${entry}"$'\n'
  index+="${entry}"$'\n'
done <"${here}/topics.txt"
for f in "${work}"/*.html "${work}"/*.css "${work}"/*.png; do files+="$(basename "${f}")"$'\n'; done

to932() { iconv -f UTF-8 -t CP932 | sed 's/$/\r/'; }
{ cat "${here}/TBQ.hhp"; printf '%s' "${files}"; } | to932 >"${work}/TBQ.hhp"
sed "s|@TOPICS@|$(printf '%s' "${topics}" | sed 's/[&|]/\\&/g' | sed ':a;N;$!ba;s/\n/\\n/g')|" "${here}/toc.hhc" | to932 >"${work}/toc.hhc"
sed "s|@TOPICS@|$(printf '%s' "${index}" | sed 's/[&|]/\\&/g' | sed ':a;N;$!ba;s/\n/\\n/g')|" "${here}/toc.hhc" | to932 >"${work}/index.hhk"

(cd "${work}" && chmcmd --no-html-scan TBQ.hhp >chmcmd.log 2>&1) || { cat "${work}/chmcmd.log" >&2; exit 1; }
[ -s "${work}/TBQ.chm" ] || { echo "make_help: chmcmd made no TBQ.chm" >&2; exit 1; }
mkdir -p "$(dirname "${out}")"
cp "${work}/TBQ.chm" "${out}"
