# The run command as a newcomer meets it: the set-up of the game's size only, a build of the game
# whose progress rises to 100 %, and the window; a build that fails shows the end of its log.
source "$(dirname "${BASH_SOURCE[0]}")/game_e2e.sh"
ROOT=${DIST%/*}

case_run() {
    local game all others='wine|chromium|emscripten|mingw|qemu|sdl3-(mingw|web|arm64)'
    game=$("$ROOT/scripts/setup.sh" --plan game) && all=$("$ROOT/scripts/setup.sh" --plan) || fail "no plan"
    expect "the game's set-up: the compiler and SDL3 for this machine, none of the tests' or downloads' packages or builds" \
        '[[ $game == *" build-essential "*"build .deps/sdl3"* ]] && ! grep -Eq "$others" <<<"$game" &&
        [ "$(grep -Eo "$others" <<<"$all" | sort -u | wc -l)" -eq 8 ]'
    export DEADLINE=120 BUILD=$PWD/build # a fresh build, from the set-up of the game's size
    GAME=$ROOT/scripts/run.sh && case_window
    sed -n 's/^run: building the game.*: \([0-9]*\) %.*/\1/p' game.log >percent
    expect "the build's percentage rising to 100 %" \
        'sort -nc percent && [ "$(sort -u percent | wc -l)" -ge 3 ] && [ "$(tail -n 1 percent)" = 100 ]'
    # SDL's header cannot declare SDL_Init as a number: the game's code does not compile.
    ! BUILD=$PWD/broken CXXFLAGS=-DSDL_Init=1 "$ROOT/scripts/run.sh" >broken.log 2>&1 || fail "a broken build ran"
    expect "the compiler's error at the end of the log" 'grep -q "failed; the end of" broken.log && grep -q "SDL_init.h:" broken.log'
}
