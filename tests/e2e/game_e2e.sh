# The window and its screen; a window manager's close button ends the game well.
case_window() {
    start_game
    expect "the game's title" '[ "$(xdotool getwindowname $WIN)" = "Sliding along walls, still phasing into corners." ]'
    expect_game_screen 0 0
    close_window && expect_exit 0
}

# Driving forward turns the world on screen; the player stays at (400, 420), heading up.
case_drive() { start_game && drive; }
drive() {
    move 400 100
    shot_until "the aim straight up, 160 long" 'near 400 265 $RED'
    cp $SHOT still.png && key w 1
    shot_until "the world moving" '[ "$(changed still.png 110 0 690 600)" -gt 600 ]'
    expect "the body at (400, 420), heading up" 'near 380 420 $WHITE && near 420 420 $WHITE && near 400 408 $WHITE'
}

# The right button fires the right hand's item (its bar at x 10 to 18), e swaps it to the top box.
two_chars() { [ "$(count $(($1 + 13)) $(($2 + 5)) 8 8 $BLACK)" -gt 0 ]; } # "-1" in the box, not "2"
case_fire_swap_and_letterbox() {
    start_game
    expect "2 in the right box, -1 in the top box" '! two_chars 60 200 && two_chars 35 175'
    xdotool mousedown 3 # held through the half-second opening
    shot_until "a full cooldown bar" '[ "$(count 10 115 8 5 $RED)" -eq 40 ] && [ "$(count 10 58 8 12 $RED)" -gt 0 ] &&
        [ "$(count 0 0 10 130 $RED)" -eq 0 ]'
    xdotool mouseup 3 && key e
    shot_until "the item in the top box" 'two_chars 60 200 && ! two_chars 35 175'
    xdotool windowsize "$WIN" 1000 600 && letterboxed
}
letterboxed() { # 1000 by 600: bars beside the 800 by 600 screen
    shot_until "side bars" '[ "$(count 0 0 100 600 $BLACK)" -eq 60000 ] && [ "$(count 900 0 100 600 $BLACK)" -eq 60000 ]'
    expect_game_screen 100 0
}

# The cast to the pointer stops on the first rectangle's top face at (440, 280), both outlines red,
# its normal mark straight up, 30 long. SIGTERM ends it well.
case_collision_scene() {
    start_game -debug
    expect "the scene's title" '[ "$(xdotool getwindowname $WIN)" = "RAYTRACING-BASED COLLISION LOOKS FINE, RIGHT?? RIGHT???" ]'
    cast_to_pointer
    kill -TERM $PID && expect_exit 0
}
cast_to_pointer() {
    move 620 340
    shot_until "a red circle at (440, 280)" 'near 420 280 $RED && near 460 280 $RED && near 450 319 $RED && near 600 449 $RED'
    expect "the mark" 'near 440 256 $RED && ! near 440 246 $RED'
}

# Keys go by their place: the hints name the French keys from a change to a French layout on, the US
# ones again after; under it z, where a US keyboard has w, drives, and w, at a US z's place, does not.
case_french_keys() {
    start_game && cp $SHOT us.png && setxkbmap fr || fail "no French layout"
    shot_until "zs and ea in the hints, space and hop as before" '[ "$(changed us.png 4 4 96 16)" -gt 0 ] && [ "$(changed us.png 4 20 96 8)" -eq 0 ]'
    setxkbmap us && shot_until "the US hints again" '[ "$(changed us.png 4 4 96 32)" -eq 0 ]' && setxkbmap fr
    cp $SHOT still.png && key w 1 && shot && expect "w driving nothing (the world above the body still)" '[ "$(changed still.png 110 0 690 380)" -eq 0 ]'
    key z 1 && shot_until "z driving" '[ "$(changed still.png 110 0 690 600)" -gt 600 ]'
}
