#!/usr/bin/env bash
# Starts (or stops) a Firebird 3 server on loopback for the network-mode tests, without systemd.
# SYSDBA's password is the one the program's connection is defined with.
#   scripts/firebird-server.sh start | stop | status
set -euo pipefail

PASSWORD=quartzite
PORT=${ESTOCARIUM_FB_PORT:-3050}

running() { pgrep -x firebird >/dev/null 2>&1; }

set_password() {
    # The embedded engine edits the security database directly; no server needed.
    printf "ALTER USER SYSDBA SET PASSWORD '%s';\nCOMMIT;\n" "$PASSWORD" |
        isql-fb -q -user SYSDBA /var/lib/firebird/3.0/system/security3.fdb >/dev/null 2>&1 ||
    printf "CREATE USER SYSDBA PASSWORD '%s';\nCOMMIT;\n" "$PASSWORD" |
        isql-fb -q -user SYSDBA /var/lib/firebird/3.0/system/security3.fdb >/dev/null
}

case "${1:-start}" in
start)
    if running; then
        echo "firebird: already running"
        exit 0
    fi
    set_password
    mkdir -p /run/firebird3.0 /tmp/firebird
    # Runs as root so that it can open test databases in any temporary folder.
    /usr/sbin/fbguard -daemon -forever >/dev/null 2>&1 &
    for _ in $(seq 1 50); do
        if (exec 3<>/dev/tcp/127.0.0.1/"$PORT") 2>/dev/null; then
            echo "firebird: listening on localhost:$PORT"
            exit 0
        fi
        sleep 0.2
    done
    echo "firebird: server did not start" >&2
    exit 1
    ;;
stop)
    pkill -x fbguard || true
    pkill -x firebird || true
    ;;
status)
    running && echo running || echo stopped
    ;;
*)
    echo "usage: $0 start|stop|status" >&2
    exit 2
    ;;
esac
