# The world as a player sees it: the collision scene under "-debug" for four pointer positions,
# and the bounds, walls and origin square of a game.

RED=FF0000
WHITE=FFFFFF
GREY=212121

# ---- The collision scene ----------------------------------------------------------------
# A circle of radius 20 is cast from (320, 240) to the pointer against the rectangles
# (400, 300, 100, 20) and (500, 250, 200, 200). Probes sit where no other drawing of the four
# scenes comes near; the first rectangle's right side lies under the second one's left side.

first_outline() { near 420 300 "$1" && near 450 319 "$1" && near 400 310 "$1"; }
second_outline() {
    near 600 250 "$1" && near 600 449 "$1" && near 500 400 "$1" && near 699 350 "$1"
}
expect_outlines() { # FIRST_COLOUR SECOND_COLOUR
    expect "the first rectangle outlined in $1" first_outline "$1"
    expect "the second rectangle outlined in $2" second_outline "$2"
}

case_debug_zero_cast() {
    start_game -debug
    move 320 240
    # Nothing is hit: the white circle stays on the start, both outlines white, no marks.
    wait_for "a white circle about (320, 240)" near_all $WHITE 2 300 240 340 240 320 220 320 260
    expect_outlines $WHITE $WHITE
    expect "red only where the pointer line shrinks to a point" \
        [ "$(count 0 0 800 600 $RED)" -eq "$(count 310 230 331 251 $RED)" ]
}

case_debug_face_hit() {
    start_game -debug
    move 620 340
    # The first rectangle's top face at (440, 280), t = 0.4, is nearer than the second's left
    # face: the circle stops there, red like the second outline, which is hit too.
    wait_for "a red circle about (440, 280)" near_all $RED 2 420 280 460 280 426 294
    expect "no circle at the pointer" none_near 640 340 $RED 2
    expect_outlines $RED $RED
    expect "a mark 30 long straight up from (440, 280)" near_all $RED 1 440 270 440 254
    expect "the mark ends 30 above the hit" none_near 440 244 $RED
    expect "no mark on the farther left face at (480, 293)" none_near 470 295 $RED 2
}

case_debug_nearer_second() {
    start_game -debug
    move 580 300
    # Both hit, the second nearer: a mark up from (493.33, 280) on the first rectangle, a mark
    # left from (480, 276.92) on the second, and the circle at the second hit.
    wait_for "a red circle about (480, 277)" near_all $RED 2 480 257 466 263 466 291
    expect "no circle at the pointer" none_near 600 300 $RED 2
    expect_outlines $RED $RED
    expect "a mark up from (493, 280)" near_all $RED 1 493 257 493 252
    expect "a mark left from (480, 277)" near_all $RED 1 456 277 452 277
    expect "no mark up from (480, 277)" none_near 480 249 $RED
}

case_debug_corner() {
    start_game -debug
    move 600 240
    # Only the second rectangle's rounded top-left corner is hit, at (482.68, 240) with the
    # normal (-0.866, -0.5): the mark leans up and left at heading -1.047.
    wait_for "a red circle about (483, 240)" near_all $RED 2 483 220 483 260 469 254
    expect "no circle at the pointer" none_near 600 220 $RED 2
    expect_outlines $WHITE $RED
    expect "a mark up and left from (483, 240)" near_all $RED 1 471 233 460 227
}

# ---- The world in a game ----------------------------------------------------------------
# The layout is new every run; what holds for all of them: the origin square, the world
# bounds (-1205, -845, 2410, 1690) drawn whole, and walls only along the room edges, so every
# room's middle is bare.

origin_square() { near_all $WHITE 1 390 420 410 425 395 410 395 430; }

# At a scale of 1/5 the player's origin stands at (400, 420) and the bounds reach 241 pixels
# to each side and 169 up and down: x 159 to 641, y 251 to 589.
bounds_drawn() {
    [ "$(count 157 256 162 585 $WHITE)" -ge 320 ] &&
        [ "$(count 638 256 643 585 $WHITE)" -ge 320 ] &&
        [ "$(count 165 249 636 254 $WHITE)" -ge 460 ] &&
        [ "$(count 165 586 636 591 $WHITE)" -ge 460 ]
}

# Ends of walls reach 20 world units, 4 pixels, past the bounds; nothing reaches farther.
outside_bare() {
    all_of 110 60 800 244 $GREY && all_of 110 244 152 600 $GREY && all_of 648 244 800 600 $GREY
}

rooms_bare() {
    local c r
    for c in 0 1 2 3 4 5 6 7 8; do
        for r in 0 1 2 3 4 5 6 7 8; do
            [ $c$r = 44 ] && continue # the player's own room
            all_of $((400 + 54 * (c - 4) - 8)) $((420 + 38 * (r - 4) - 8)) \
                $((400 + 54 * (c - 4) + 9)) $((420 + 38 * (r - 4) + 9)) $GREY || return 1
        done
    done
}

case_game_outlines() {
    start_game
    move 600 200 # the aim line up and to the right, off the probes
    wait_for "the origin square under the player" origin_square
    # Zoom out to 1 / (2 - zoom) = 1/5: twenty notches of -0.2 take the zoom from 1 to -3.
    wheel DOWN 20
    wait_for "the world's bounds drawn whole" bounds_drawn
    expect "nothing outside the bounds but the ends of walls" outside_bare
    # White inside the bounds beyond the player and the origin square: walls.
    expect "walls inside the bounds" \
        [ $(($(count 165 256 636 585 $WHITE) - $(count 390 410 411 431 $WHITE))) -gt 100 ]
    expect "the middle of every room bare" rooms_bare
}
