#!/bin/sh
# make-old-version.sh DATABASE VERSION FOLDER
#
# Writes FOLDER/tallywickVERSION.mdb (VERSION 109, 108 or 107): a copy of
# DATABASE, a database file of this program, holding only the tables that
# release kept, for Database > Import from Old Version. The program must not
# have DATABASE open (it holds it exclusively). An existing target is never
# overwritten.
set -eu

usage() {
    echo "usage: make-old-version.sh DATABASE 109|108|107 FOLDER" >&2
    exit 2
}

[ $# -eq 3 ] || usage
source_db=$1
version=$2
folder=$3

case "$version" in
    109) tables="Game Clan Player Game_Player Game_Player_Medal Player_Playlist" ;;
    108) tables="Game Player Game_Player Game_Player_Medal Player_Playlist" ;;
    107) tables="Game Player Game_Player Game_Player_Medal" ;;
    *) usage ;;
esac

if [ ! -f "$source_db" ]; then
    echo "make-old-version.sh: $source_db not found" >&2
    exit 1
fi
target="$folder/tallywick$version.mdb"
if [ -e "$target" ]; then
    echo "make-old-version.sh: $target exists already" >&2
    exit 1
fi

# A file name inside an SQL text literal: every apostrophe doubled.
quoted_target=$(printf '%s' "$target" | sed "s/'/''/g")
if ! sqlite3 "$source_db" "VACUUM INTO '$quoted_target'"; then
    rm -f "$target"
    exit 1
fi

drops=""
for entry in $(sqlite3 "$target" "SELECT type || ':' || name FROM sqlite_master \
        WHERE type IN ('table', 'view') AND name NOT LIKE 'sqlite_%'"); do
    kind=${entry%%:*}
    name=${entry#*:}
    keep=no
    for table in $tables; do
        [ "$name" = "$table" ] && keep=yes
    done
    if [ "$keep" = no ]; then
        if [ "$kind" = view ]; then
            drops="$drops DROP VIEW \"$name\";"
        else
            drops="$drops DROP TABLE \"$name\";"
        fi
    fi
done
if ! sqlite3 "$target" "$drops VACUUM;"; then
    rm -f "$target"
    exit 1
fi
echo "$target"
