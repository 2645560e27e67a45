#!/usr/bin/env bash
# Makes res/Sample/Samples.html with our own page writer from the first
# template of the library, titled, with a few lines saying what it shows: a
# page that works in today's browsers (the menu script glidebar.js lies
# beside it in the program folder).
# Usage: tools/make_sample.sh path/to/vantrel-gen
set -euo pipefail
gen=${1:?path to vantrel-gen}
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Saved as a classic page only to get its project file (this needs no script).
"$gen" --library "$root/res/Vantrel.qdx" save --classic --template 0 "$work/Samples.html" >/dev/null
sed -i 's/^m_HTMLTitle=.*/m_HTMLTitle=Vantrel sample: the Ocean template/' "$work/Samples.qdx"
# In English, with a description for search engines (as the command-line
# test makes it).
"$gen" --library "$root/res/Vantrel.qdx" html --modern --lang en \
    --description "A menu made with Vantrel from its Ocean template, drawn in today's browsers by glidebar.js." \
    "$work/Samples.qdx" > "$work/page.html"
# The explanation goes right after the title line; the rest is the writer's text.
python3 - "$work/page.html" "$root/res/Sample/Samples.html" <<'PY'
import sys
page = open(sys.argv[1], "rb").read()
intro = (b'<h1>A menu made with Vantrel</h1>\r\n'
         b'<p>This page carries the Glidebar menu as Vantrel writes it, from the "Ocean" '
         b'template: a vertical main menu of raised blue items, three of which open a sub menu. '
         b'Point at an item to see its Mouse Move look, press it to see Mouse Click. '
         b'The script glidebar.js draws the menu from the parameters below; without scripts '
         b'its links show as a plain list.</p>\r\n')
head, rest = page.split(b"</head>\n", 1)
open(sys.argv[2], "wb").write(head + b"</head>\n" + intro + rest)
PY
