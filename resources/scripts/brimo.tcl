# brimo.tcl - the commands of Brimo that live in a script.
#
# Brimo loads this file quietly into every new window (/load -q <window> brimo.tcl).
# It stays yours: the build puts it next to the program only when none is there,
# so your changes are kept. The commands and their use are in the help, page Skripty.
#
# Every word of the typed line arrives as one argument, exactly as typed;
# [this argsline] is the text after the command word.

proc /me {args} { # Akcia v aktuálnom okne: /me text (napríklad /me máva)
    if {[llength $args] == 0} {
        echo "* Zadaj: /me text"
        return
    }
    cmd "/action [this name] [this argsline]"
}

proc /part {args} { # Odíde z kanála: /part [kanál] [dôvod] (bez kanála z tohto okna)
    set channel [this name]
    set reason [join $args " "]
    if {[IsChannelName [lindex $args 0]]} {
        set channel [lindex $args 0]
        set reason [join [lrange $args 1 end] " "]
    }
    if {![IsChannelName $channel]} {
        echo "* Zadaj: /part #kanál \[dôvod\]"
        return
    }
    if {$reason eq ""} {
        cmd "/servermsg PART $channel"
    } else {
        cmd "/servermsg PART $channel :$reason"
    }
}

proc /fav {args} { # Pridá kanál a server medzi obľúbené: /fav [kanál] (bez kanála tento)
    set channel [this name]
    if {[llength $args] > 0} {
        set channel [lindex $args 0]
    }
    cmd "/favorite add $channel"
}

proc IsChannelName {name} {
    return [expr {[string length $name] > 1 && [string first [string index $name 0] "#&+!"] >= 0}]
}
