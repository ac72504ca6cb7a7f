#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The licence line of every source file: "SPDX-License-Identifier:
# GPL-3.0-or-later" as a comment among its first lines.
#   sh scripts/spdx.sh --check   lists the source files without it; fails if any
#   sh scripts/spdx.sh --add     adds it where it is missing (run it once, on a clean tree)
#
# Source files are the files git tracks (every file under the folder when
# this is no git checkout) that people write and read as code, build or
# packaging text, each with the comment syntax of its kind:
#   *.c *.cpp *.h *.h.in                         // ...          first line
#   CMakeLists.txt *.cmake *.cmake.in Makefile
#   *.py *.sh .ci/run *.desktop *.service
#   *.lintian-overrides                          # ...           first line, after a #! line
#   man pages *.[1-8] *.[1-8].in                 .\" ...          first line
#   *.xml *.xml.in                               <!-- ... -->    after the <?xml ...?> line
# Not source files: the levels of maps/ (made by tools/niveaux, a format
# without comments), the fuzzers' seed inputs under fuzz/graines/ (data read
# byte for byte), COPYING (the licence itself), packaging/copyright (the
# licence statement), packaging/changelog (Debian's format has no comments),
# README.md and the other documents, .gitignore.
set -eu
cd "$(dirname "$0")/.."
LIGNE="SPDX-License-Identifier: GPL-3.0-or-later"

# The comment syntax of a source file: c, diese, man, xml; nothing for the others.
sorte() {
    case "$1" in
        maps/*|fuzz/graines/*) ;;
        *.c|*.cpp|*.h|*.h.in) echo c ;;
        CMakeLists.txt|*/CMakeLists.txt|*.cmake|*.cmake.in|Makefile|*/Makefile|*.py|*.sh|.ci/run|*.desktop|*.service|*.lintian-overrides) echo diese ;;
        *.[1-8]|*.[1-8].in) echo man ;;
        *.xml|*.xml.in) echo xml ;;
    esac
}

fichiers() {
    if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        git ls-files
    else
        find . -path ./.git -prune -o -path './build*' -prune -o -type f -print | sed 's#^\./##'
    fi
}

# True when the line is among the first five lines of the file.
marque() { head -n 5 "$1" | grep -q "$LIGNE"; }

# Adds the line in the file's comment syntax, keeping a #! line or an XML
# declaration first; the file keeps its mode (written in place).
ajouter() {
    f=$1
    case "$2" in
        c) commentaire="// $LIGNE" ;;
        diese) commentaire="# $LIGNE" ;;
        man) commentaire=".\\\" $LIGNE" ;;
        xml) commentaire="<!-- $LIGNE -->" ;;
    esac
    tmp=$(mktemp)
    COMMENTAIRE=$commentaire SORTE=$2 awk '
        BEGIN { c = ENVIRON["COMMENTAIRE"]; sorte = ENVIRON["SORTE"] }
        NR == 1 && ((sorte == "diese" && /^#!/) || (sorte == "xml" && /^<\?xml/)) { print; print c; next }
        NR == 1 { print c }
        { print }
        END { if (NR == 0) print c }' "$f" >"$tmp"
    cat "$tmp" >"$f"
    rm -f "$tmp"
}

# The whole run is read before it starts: --add rewrites this file too.
principal() {
    case "${1:-}" in
        --check|--add) ;;
        *) echo "usage: sh scripts/spdx.sh --check | --add" >&2; exit 2 ;;
    esac
    sortie=$(fichiers | while IFS= read -r f; do
        s=$(sorte "$f")
        [ -n "$s" ] && [ -f "$f" ] || continue
        marque "$f" && continue
        if [ "$1" = --add ]; then
            ajouter "$f" "$s"
            echo "added: $f"
        else
            echo "no licence line: $f"
        fi
    done)
    [ -z "$sortie" ] || echo "$sortie"
    if [ "$1" = --check ] && [ -n "$sortie" ]; then
        echo "spdx.sh: $(echo "$sortie" | wc -l) source files lack \"$LIGNE\" (sh scripts/spdx.sh --add)" >&2
        exit 1
    fi
}
{ principal "$@"; exit $?; }
