#!/usr/bin/env bash
# Builds the help from the pages here, the screenshots in docs/ and the page of
# format codes that tbq_format_codes_page makes from the program's own lists:
#   docs/help/make_help.sh <format code generator> <work dir> <out .chm> [ja|en]
# Japanese (the default) is TBQ.chm from pages/, English TBQ_en.chm from
# pages_en/. The project files are turned into the code page the help viewer
# of such a Windows reads them in (932 for Japanese, 1252 for English); the
# pages stay UTF-8 and say so.
set -euo pipefail
generator=$1 work=$2 out=$3 language=${4:-ja}
here=$(cd "$(dirname "$0")" && pwd)
docs=$(dirname "${here}")
case "${language}" in
  ja) pages=pages project=TBQ topics=topics.txt codepage=CP932 charset=Shift_JIS ;;
  en) pages=pages_en project=TBQ_en topics=topics_en.txt codepage=CP1252 charset=windows-1252 ;;
  *) echo "make_help: no help in ${language}" >&2; exit 2 ;;
esac

rm -rf "${work}"
mkdir -p "${work}"
cp "${here}/${pages}"/*.html "${here}"/pages/help.css "${work}/"
"${generator}" "${work}/format-codes.html" "${language}"

# Every picture a page names must be there, or the help shows a hole. An
# English picture ("settings-96-en-page0.png") not made yet is stood in for by
# the Japanese one ("settings-96-page0.png", or "welcome.png" for
# "settings-96-en-welcome.png") until scripts/screenshots makes it.
images=$(grep -oh 'src="[^"]*"' "${work}"/*.html | sed 's/src="\(.*\)"/\1/' | sort -u)
for image in ${images}; do
  found=""
  for candidate in "${image}" "${image/-en-/-}" "${image#settings-*-en-}"; do
    [ -f "${docs}/${candidate}" ] && { found=${docs}/${candidate}; break; }
  done
  [ -n "${found}" ] || { echo "make_help: ${image} is missing from docs/" >&2; exit 1; }
  cp "${found}" "${work}/${image}"
done

entries=""
while IFS=$'\t' read -r file title; do
  case "${file}" in '#'*|'') continue ;; esac
  [ -f "${work}/${file}" ] || { echo "make_help: ${file} is listed but missing" >&2; exit 1; }
  entries+="<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"${title}\"><param name=\"Local\" value=\"${file}\"></OBJECT>"$'\n'
done <"${here}/${topics}"
files=""
for f in "${work}"/*.html "${work}"/*.css "${work}"/*.png; do files+="$(basename "${f}")"$'\n'; done

to_codepage() { iconv -f UTF-8 -t "${codepage}" | sed 's/$/\r/'; }
{ cat "${here}/${project}.hhp"; printf '%s' "${files}"; } | to_codepage >"${work}/${project}.hhp"
# The contents and the index list the same pages.
listing=$(printf '%s' "${entries}" | sed 's/[&|]/\\&/g' | sed ':a;N;$!ba;s/\n/\\n/g')
for list in toc.hhc index.hhk; do
  sed -e "s|@TOPICS@|${listing}|" -e "s|charset=Shift_JIS|charset=${charset}|" "${here}/toc.hhc" |
    to_codepage >"${work}/${list}"
done

(cd "${work}" && chmcmd --no-html-scan "${project}.hhp" >chmcmd.log 2>&1) || { cat "${work}/chmcmd.log" >&2; exit 1; }
[ -s "${work}/${project}.chm" ] || { echo "make_help: chmcmd made no ${project}.chm" >&2; exit 1; }
mkdir -p "$(dirname "${out}")"
cp "${work}/${project}.chm" "${out}"
