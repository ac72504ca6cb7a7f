#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# A throwaway PostgreSQL cluster for the leaderboard's tests and bench.
#   sh postgres.sh start DIR   initdb under DIR, start it on a Unix socket, and write
#                              its URL to DIR/url ("skip: why" when PostgreSQL is missing)
#   sh postgres.sh stop DIR    stop it and remove it
# As root the cluster runs as the unprivileged user postgres (from Debian's
# package); when that user cannot reach DIR, the cluster lives in a temporary
# folder instead. Nothing listens on TCP.
set -eu
action=$1
dir=$2
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
# From /, which the user postgres can enter whatever the current folder (paths are absolute).
comme() { if [ "$(id -u)" -eq 0 ]; then (cd / && runuser -u postgres -- "$@"); else "$@"; fi; }

case $action in
start)
    [ -f "$dir/data" ] && sh "$0" stop "$dir"
    rm -rf "$dir"
    mkdir -p "$dir"
    if [ -z "$bin" ]; then
        echo "skip: PostgreSQL is not installed here (apt-get install postgresql)" >"$dir/url"
        exit 0
    fi
    if [ "$(id -u)" -eq 0 ] && ! id postgres >/dev/null 2>&1; then
        echo "skip: no postgres user to run PostgreSQL as" >"$dir/url"
        exit 0
    fi
    sockets=$(mktemp -d /tmp/vorna-pg.XXXXXX)
    base=$dir/cluster
    [ "$(id -u)" -eq 0 ] && chown postgres "$sockets"
    if [ "$(id -u)" -eq 0 ]; then
        mkdir -p "$base" && chown postgres "$base"
        runuser -u postgres -- test -w "$base" || base=$sockets/cluster
    fi
    echo "$base" >"$dir/data"
    echo "$sockets" >"$dir/sockets"
    comme "$bin/initdb" -D "$base" -U vorna -A trust -E UTF8 --locale=C >"$dir/initdb.log" 2>&1
    comme "$bin/pg_ctl" -D "$base" -l "$base/postgres.log" -w -t 60 start -o "-c listen_addresses='' \
        -c unix_socket_directories='$sockets' -c synchronous_commit=off -c max_connections=300" >/dev/null
    echo "postgresql:///postgres?host=$sockets&user=vorna" >"$dir/url"
    ;;
stop)
    [ -f "$dir/data" ] || exit 0
    comme "$bin/pg_ctl" -D "$(cat "$dir/data")" -m fast -w stop >/dev/null || true
    rm -rf "$(cat "$dir/sockets")" "$dir"
    ;;
esac
