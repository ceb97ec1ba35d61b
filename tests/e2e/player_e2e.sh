# The player as a player meets it: driving, firing the starting item, swapping it to the
# spare slot, and aiming after the window changed size.

RED=FF0000
WHITE=FFFFFF

# The half-second opening, during which the player does not act, is over.
playing() { [ "$(number 4 36)" -gt 31 ]; }

# The player's body, a white circle of radius 20, and its white heading line straight up, at
# the place the view keeps it: (400, 420).
player_at_home() {
    near_all $WHITE 1 380 420 420 420 400 440 386 434 414 434 && near_all $WHITE 1 400 406 400 412
}
# moved_since FILE: the world drawn elsewhere than in FILE. Left of x = 110 are the text and
# the slot display; a still scene differs by at most the jitter of the body's circle.
moved_since() { [ "$(changed "$1" 110 0 800 600)" -gt 600 ]; }

case_drive() {
    start_game
    move 400 100
    wait_for "the opening to end" playing
    local still=$SHOT
    # With item 2 in the right hand only the left wheel drives: the body runs forward and turns.
    key w 1
    wait_for "the walls to move on screen" moved_since "$still"
    expect "the player at (400, 420), facing up" player_at_home
}

# Item 2's cooldown bar, 8 wide at x = 10, standing on y = 120 and at most 60 tall, alone.
cooldown_bar() {
    all_of 10 115 18 120 $RED && [ "$(count 10 0 18 60 $RED)" -eq 0 ] &&
        [ "$(count 0 0 10 130 $RED)" -eq 0 ] && [ "$(count 18 0 110 130 $RED)" -eq 0 ]
}

case_fire() {
    start_game
    move 400 100 # aim straight ahead: the recoil pushes the body straight back
    wait_for "the opening to end" playing
    local still=$SHOT
    click 3
    wait_for "the cooldown bar of item 2" cooldown_bar
    wait_for "the view to lurch" moved_since "$still"
}

labels() { [ "$(ink 65 205 2)" = "$1" ] && [ "$(ink 40 180 2)" = "$2" ]; }

case_swap() {
    start_game
    wait_for "the opening to end" playing
    expect "2 in the right hand's box, -1 in the top box" labels "2 " "-1"
    key e
    wait_for "2 moved to the top box" labels "-1" "2 "
}

# along X Y: window points 40, 80, 120 and 150 pixels along the line from the player at
# logical (400, 420) toward the logical point (X, Y), with the logical screen OFFSET pixels
# into the window.
along() {
    awk -v x="$1" -v y="$2" -v o="$OFFSET" 'BEGIN {
        l = sqrt((x - 400) ^ 2 + (y - 420) ^ 2)
        split("40 80 120 150", ds)
        for (i = 1; i <= 4; i++)
            printf "%.0f %.0f\n", o + 400 + (x - 400) * ds[i] / l, 420 + (y - 420) * ds[i] / l
    }'
}
aim_toward() {
    local x y
    while read -r x y; do near "$x" "$y" $RED || return 1; done < <(along "$@")
}
no_aim_toward() {
    local x y
    while read -r x y; do none_near "$x" "$y" $RED || return 1; done < <(along "$@")
}

case_aim_after_resize() {
    start_game
    resize 1000 600
    # Letterboxed: the logical screen starts 100 pixels into the window.
    OFFSET=100
    move 600 320
    wait_for "the aim line toward the pointer at logical (500, 320)" aim_toward 500 320
    # The window position taken as a logical one would aim at (600, 320) instead.
    expect "no aim line toward logical (600, 320)" no_aim_toward 600 320
}
