#!/usr/bin/env bash
# A private Firebird 3 server for the tests: its own folder, port, configuration, security
# database and lock folder. It is started and stopped by its process id and never touches the
# machine's own server, configuration or SYSDBA password.
#
#   scripts/firebird-server.sh start DIR [PORT]   prints the port; DIR/server.pid holds the process id
#   scripts/firebird-server.sh stop DIR
#   scripts/firebird-server.sh status DIR
#
# Without PORT, a restart in the same DIR reuses the port of the previous start, otherwise the
# first free port from 3051 on is taken. The client reaches the server as localhost/PORT:path.
#
# The server reads its configuration from the installation's fixed places, so it runs in a
# mount namespace of its own in which its firebird.conf and security database are bind-mounted
# over the installation's; the character sets and plugins stay those of the installation.
set -euo pipefail

PASSWORD=quartzite # the password of the program's network connection
SYSTEM_CONF=/etc/firebird/3.0/firebird.conf
SYSTEM_SECURITY=/var/lib/firebird/3.0/system/security3.fdb

usage() {
    echo "usage: $0 start DIR [PORT] | stop DIR | status DIR" >&2
    exit 2
}

[ $# -ge 2 ] || usage
command=$1
dir=$(realpath -m "$2")
pidfile=$dir/server.pid

# A process that has ended but whose parent has not collected it yet counts as gone.
running() {
    local state
    state=$(ps -o stat= -p "$1" 2>/dev/null) || return 1
    [ "${state:0:1}" != Z ]
}
alive() { [ -f "$pidfile" ] && running "$(cat "$pidfile")"; }
listening() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }
# Whether the process listening on port $1 is ours (when ss can tell whose it is).
ours_listening() {
    listening "$1" || return 1
    command -v ss >/dev/null || return 0
    ss -ltnpH "sport = :$1" | grep -q "pid=$(cat "$pidfile")[,)]"
}

free_port() {
    local port=3051
    while listening "$port"; do port=$((port + 1)); done
    echo "$port"
}

# Becomes a command that runs where the installation's configuration and security database are this
# instance's own (bind mounts visible to this process and its children only).
private_namespace() {
    FIREBIRD_LOCK=$dir/lock exec unshare --mount --propagation private -- sh -c '
        mount --bind "$1/firebird.conf" "$2" && mount --bind "$1/security3.fdb" "$3" && shift 3 &&
        exec "$@"' sh "$dir" "$SYSTEM_CONF" "$SYSTEM_SECURITY" "$@"
}

prepare() {
    mkdir -p "$dir/lock"
    {
        grep -v -E '^[[:space:]]*(RemoteServicePort|RemoteBindAddress)[[:space:]]*=' "$SYSTEM_CONF" || true
        echo "RemoteServicePort = $port"
        echo "RemoteBindAddress = 127.0.0.1"
    } >"$dir/firebird.conf"
    if [ ! -f "$dir/security3.fdb" ]; then
        cp "$SYSTEM_SECURITY" "$dir/security3.fdb"
        # The user manager writes to the configured security database, which inside the
        # namespace is this copy.
        printf "ALTER USER SYSDBA SET PASSWORD '%s';\nCOMMIT;\n" "$PASSWORD" |
            private_namespace isql-fb -q -user SYSDBA "$SYSTEM_SECURITY" >/dev/null 2>&1 ||
            printf "CREATE USER SYSDBA PASSWORD '%s';\nCOMMIT;\n" "$PASSWORD" |
            private_namespace isql-fb -q -user SYSDBA "$SYSTEM_SECURITY" >/dev/null ||
            { rm -f "$dir/security3.fdb"; return 1; }
    fi
}

case "$command" in
start)
    if alive; then
        cat "$dir/port"
        exit 0
    fi
    mkdir -p "$dir"
    # Another server may have taken the remembered port since, or take a free one between our
    # look and the bind (parallel runs): then the next free port is tried.
    port=${3:-$(cat "$dir/port" 2>/dev/null || free_port)}
    if [ -z "${3:-}" ] && listening "$port"; then port=$(free_port); fi
    for attempt in 1 2 3 4 5; do
        prepare
        echo "$port" >"$dir/port"
        # unshare and sh exec one another, so the process id of this background job is the server's.
        private_namespace /usr/sbin/firebird </dev/null >"$dir/server.log" 2>&1 &
        echo $! >"$pidfile"
        for _ in $(seq 1 100); do
            if grep -q 'Address already in use' "$dir/server.log"; then
                break
            fi
            # Something listening could be somebody else's server on the port.
            if alive && ours_listening "$port"; then
                echo "$port"
                exit 0
            fi
            alive || break
            sleep 0.1
        done
        grep -q 'Address already in use' "$dir/server.log" && [ -z "${3:-}" ] || break
        kill -KILL "$(cat "$pidfile")" 2>/dev/null || true
        rm -f "$pidfile"
        port=$(free_port)
    done
    if alive; then kill -KILL "$(cat "$pidfile")" 2>/dev/null || true; fi
    rm -f "$pidfile"
    echo "firebird: private server did not start (see $dir/server.log)" >&2
    exit 1
    ;;
stop)
    if alive; then
        pid=$(cat "$pidfile")
        # The server shuts down on SIGINT (it ignores SIGTERM); a stopped one must run again first.
        kill -CONT "$pid" 2>/dev/null || true
        kill -INT "$pid" 2>/dev/null || true
        for _ in $(seq 1 50); do
            running "$pid" || break
            sleep 0.1
        done
        if running "$pid"; then kill -KILL "$pid" 2>/dev/null || true; fi
    fi
    rm -f "$pidfile"
    ;;
status)
    if alive; then echo "running on port $(cat "$dir/port"), pid $(cat "$pidfile")"; else echo stopped; fi
    ;;
*)
    usage
    ;;
esac
