# The application shell as a player meets it: the window, the frame clock on screen, the
# letterboxed logical screen, and the two ways a window is closed.

GAME_TITLE="Sliding along walls, still phasing into corners."
DEBUG_TITLE="RAYTRACING-BASED COLLISION LOOKS FINE, RIGHT?? RIGHT???"

# The hint lines and both counters in white at the top left, over the dark grey screen.
expect_text_block() { # X Y: top-left corner of the logical screen in the window
    local x=$(($1 + 4)) y=$(($2 + 4)) ticks
    expect_eq "hint line 1" "$(text $x $y 12)" "ws      move"
    expect_eq "hint line 2" "$(text $x $((y + 8)) 12)" "eq item swap"
    expect_eq "hint line 3" "$(text $x $((y + 16)) 12)" "space    hop"
    expect_eq "hint line 4" "$(text $x $((y + 24)) 12)" "ad  turn/use"
    ticks=$(number $x $((y + 32)))
    expect_range "tick counter" "$ticks" 1 100000
    expect_eq "seconds counter" "$(number $x $((y + 40)))" $((ticks / 60))
}

case_game_window() {
    start_game
    expect_eq "title" "$(title)" "$GAME_TITLE"
    expect_eq "window size" "$(size)" "800 600"
    expect_range "dark grey pixels" "$(count 0 0 800 600 212121)" 400000 480000
    expect_text_block 0 0
}

case_debug_window() {
    start_game -debug
    expect_eq "title" "$(title)" "$DEBUG_TITLE"
    # With the pointer on the cast's start the scene keeps to the middle of the screen: the
    # top-left corner is bare background, with no hints or counters.
    move 320 240
    wait_for "a bare top-left corner" all_of 0 0 300 200 212121
}

case_ticks_advance() {
    start_game
    local t1 t2 n1 n2 ms
    shot
    t1=$(now_ms)
    n1=$(number 4 36)
    expect_range "first tick count" "$n1" 1 100000
    # The interval being measured, not a wait for a result.
    sleep 1
    shot
    t2=$(now_ms)
    n2=$(number 4 36)
    expect_eq "seconds counter" "$(number 4 44)" $((n2 / 60))
    # 60 ticks a second of wall time, give or take a frame and a loaded machine.
    ms=$((t2 - t1))
    expect_range "ticks in $ms ms" $((n2 - n1)) $((ms * 40 / 1000)) $((ms * 90 / 1000))
}

case_letterbox() {
    start_game
    resize 1000 600
    # Bars 100 wide on each side, the 800 by 600 screen unscaled between them.
    wait_for "side bars" expect_bars 0 0 100 600 900 0 1000 600
    expect_range "dark grey between the bars" "$(count 100 0 900 600 212121)" 400000 480000
    expect_text_block 100 0
    resize 800 800
    wait_for "top and bottom bars" expect_bars 0 0 800 100 0 700 800 800
    expect_text_block 0 100
}

expect_bars() { # two rectangles X0 Y0 X1 Y1, both black
    all_of "$1" "$2" "$3" "$4" 000000 && all_of "$5" "$6" "$7" "$8" 000000
}

case_close_request() {
    start_game
    close_window
    expect_exit 0 1000
}

case_sigterm() {
    start_game
    stop_game
    expect_exit 0 1000
}
