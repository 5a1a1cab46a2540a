#!/usr/bin/env bash
# A second user of the demo server: joins #brimo as its operator, gives the
# visitor a voice, says hello with smileys, a link and (last) colours, and
# answers the server's PING until it is stopped.
#   scripts/demo-greeter.sh PORT [OPERATOR_PASSWORD]
# With the password of the server's operator "janko" it takes the channel's
# operator mode itself (a channel of the server's configuration gives it to
# nobody). BRIMO_DEMO_READY_FILE, when set, is created once all is said.
set -u
port="${1:-6667}"
oper_password="${2:-}"
exec 3<>"/dev/tcp/127.0.0.1/$port" || exit 1
send() { printf '%s\r\n' "$1" >&3; }

send "NICK janko"
send "USER janko 0 * :Janko z dema"
greeted=0
while IFS= read -r line <&3; do
  line="${line%$'\r'}"
  case "$line" in
    PING*) send "PONG${line#PING}" ;;
    *" 001 "*)
      [ -n "$oper_password" ] && send "OPER janko $oper_password"
      send "JOIN #brimo" ;;
    ":janko!"*" JOIN "*"#brimo"*) [ -n "$oper_password" ] && send "MODE #brimo +o janko" ;;
    *" JOIN "*"#brimo"*)
      # The visitor (the client) joins after us: greet once it is there.
      nick="${line%%!*}"; nick="${nick#:}"
      if [ "$nick" != "janko" ] && [ "$greeted" = 0 ]; then
        greeted=1
        sleep 1
        send "PRIVMSG #brimo :Ahoj $nick! Vitaj v $(printf '\002')Brime$(printf '\002') :)"
        send "MODE #brimo +v $nick"
        send "PRIVMSG #brimo :$nick: dávam ti hlas (+v) 8-)"
        send "PRIVMSG #brimo :Klikni na #pomoc, na moju prezývku janko alebo na www.example.com"
        send "PRIVMSG #brimo :$(printf '\001')ACTION máva na pozdrav$(printf '\001')"
        # The colours come last: scripts/screenshot.sh takes their red as the sign that all is shown.
        send "PRIVMSG #brimo :Farby: $(printf '\003')04červená$(printf '\003') $(printf '\003')12modrá$(printf '\003') $(printf '\003')03zelená$(printf '\017') a $(printf '\037')podčiarknutie$(printf '\037') ;)"
        [ -n "${BRIMO_DEMO_READY_FILE:-}" ] && : >"$BRIMO_DEMO_READY_FILE"
      fi ;;
    *" PRIVMSG #brimo :"*)
      nick="${line%%!*}"; nick="${nick#:}"
      [ "$nick" != "janko" ] && send "PRIVMSG #brimo :$nick: počujem ťa :D"
      ;;
  esac
done
