#!/usr/bin/env bash
# The newcomer's demo: a local ngircd on 127.0.0.1:6667 and Brimo connected to
# it, with a sample brimo.conf in a run folder of its own (the user's own
# configuration is not touched). ngircd stops when the client exits.
#   scripts/demo.sh [brimo arguments, e.g. debug]
# BRIMO_DEMO_DIR picks the run folder (default: a new folder under /tmp);
# BRIMO_EXECUTABLE another build of the client (default: build/brimo);
# BRIMO_DEMO_PORT another port of 127.0.0.1 (default: 6667).
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"
port="${BRIMO_DEMO_PORT:-6667}"
brimo="${BRIMO_EXECUTABLE:-$root/build/brimo}"
ngircd_bin="$(command -v ngircd || echo /usr/sbin/ngircd)"

[ -x "$brimo" ] || { echo "demo: $brimo is missing; build first (scripts/build.sh)" >&2; exit 1; }
[ -x "$ngircd_bin" ] || { echo "demo: ngircd is not installed (scripts/ensure-deps.sh --gui)" >&2; exit 1; }

port_open() { (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; }
if port_open; then
  echo "demo: something already listens on 127.0.0.1:$port; stop it first (e.g. a system ngircd)" >&2
  exit 1
fi

run_dir="${BRIMO_DEMO_DIR:-$(mktemp -d /tmp/brimo-demo.XXXXXX)}"
mkdir -p "$run_dir"

# The greeter becomes the server's operator to hand out channel modes.
oper_password="$(od -An -tx1 -N8 /dev/urandom | tr -d ' \n')"
(umask 077; cat >"$run_dir/ngircd.conf") <<CONF
[Global]
Name = demo.brimo.local
Info = Brimo demo server
AdminInfo1 = Brimo demo
AdminInfo2 = localhost
AdminEMail = demo@localhost
Listen = 127.0.0.1
Ports = $port
MotdPhrase = Vitaj na lokálnom serveri Brimo demo. Nikam inam sa nepripájaš.
[Limits]
MaxConnectionsIP = 0
MaxNickLength = 30
PingTimeout = 120
PongTimeout = 60
[Options]
PAM = no
Ident = no
DNS = no
OperCanUseMode = yes
[Operator]
Name = janko
Password = $oper_password
[Channel]
Name = #brimo
Topic = Demo kanál programu Brimo: skús napísať správu alebo /help
CONF

# brimo.conf holds passwords: owner-only, as the client keeps it.
(umask 077; cat >"$run_dir/brimo.conf") <<CONF
[Base]
Nick=navstevnik
User E-Mail=demo
User Full Name=Brimo Demo
Default Server=Demo
Msgs Quit=Dovidenia z dema
Zoomed=True
[Servers]
Demo=127.0.0.1 $port 1
[Channels Group Demo]
#brimo=#brimo 1
CONF
chmod 600 "$run_dir/brimo.conf"

"$ngircd_bin" -n -f "$run_dir/ngircd.conf" >"$run_dir/ngircd.log" 2>&1 &
ngircd_pid=$!
stop_ngircd() {
  if kill -0 "$ngircd_pid" 2>/dev/null; then
    kill "$ngircd_pid" 2>/dev/null || true
    wait "$ngircd_pid" 2>/dev/null || true
  fi
}
trap stop_ngircd EXIT

for _ in $(seq 1 100); do
  port_open && break
  kill -0 "$ngircd_pid" 2>/dev/null || { echo "demo: ngircd did not start:" >&2; cat "$run_dir/ngircd.log" >&2; exit 1; }
  sleep 0.1
done
port_open || { echo "demo: ngircd does not accept connections on 127.0.0.1:$port" >&2; exit 1; }

scripts/demo-greeter.sh "$port" "$oper_password" >/dev/null 2>&1 &
greeter_pid=$!
trap 'kill "$greeter_pid" 2>/dev/null || true; stop_ngircd' EXIT

echo "demo: ngircd runs on 127.0.0.1:$port (pid $ngircd_pid); configuration in $run_dir"
status=0
BRIMO_CONFIG_DIR="$run_dir" "$brimo" "$@" || status=$?
exit $status
