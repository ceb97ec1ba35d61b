// Goons keep station on the player: they close in from afar, hold still at a middle distance,
// step back when nearer, and break off for a while when the player comes within reach.
// They pass through walls and are not kept inside the world.
#include "defs.h"

#include <math.h>

constexpr f32 BACK_OFF_RANGE = 40; // at or below this a chasing goon breaks off
constexpr f32 FAR_RANGE = 223;     // beyond this it closes in at full speed
constexpr f32 NEAR_RANGE = 78;     // beyond this it closes in slowly
constexpr f32 HOLD_RANGE = 59;     // beyond this it holds still, within it steps back
constexpr f32 FULL_SPEED = 6;      // also the speed of backing off
constexpr f32 SLOW_SPEED = 3;
constexpr f32 BACK_OFF_DISTANCE = 300; // 50 ticks' travel
constexpr i32 BACK_OFF_TICKS = 90;
constexpr f32 GOON_LINE = 20;

void GoonPathFind(Goon* goon) {
    goon->target = gPlayer->pos;
}

void UpdateGoon(Goon* goon) {
    f32 speed;
    if (goon->state == GOON_BACKING_OFF) {
        goon->timer--;
        if (goon->timer == 0)
            goon->state = GOON_CHASING;
        speed = FULL_SPEED;
    } else {
        GoonPathFind(goon);
        Vec2 d = Vec2SubVec2(goon->target, goon->pos);
        f32 dist = Magnitude(d.x, d.y);
        if (dist <= BACK_OFF_RANGE) {
            goon->state = GOON_BACKING_OFF;
            goon->timer = BACK_OFF_TICKS;
            if (dist > 0) {
                Normalize(&d.x, &d.y);
                goon->target = Vec2SubVec2(goon->pos, Vec2Scale(d, BACK_OFF_DISTANCE));
            } else {
                // Standing on the player there is no away: it stays put until it chases again.
                goon->target = goon->pos;
            }
            speed = FULL_SPEED; // the back-off starts at once, at its own speed
        } else if (dist > FAR_RANGE) {
            speed = FULL_SPEED;
        } else if (dist > NEAR_RANGE) {
            speed = SLOW_SPEED;
        } else if (dist > HOLD_RANGE) {
            speed = 0;
        } else {
            speed = -SLOW_SPEED;
        }
    }
    GoonMove(goon, speed);
}

// Moves speed units toward the target (away from it when negative), with no arrival test:
// a goon nearer than one step steps past. On the target itself there is no way to go.
void GoonMove(Goon* goon, f32 speed) {
    if (speed == 0)
        return;
    Vec2 v = Vec2SubVec2(goon->target, goon->pos);
    if (!(Magnitude(v.x, v.y) > 0))
        return;
    Normalize(&v.x, &v.y);
    v.x = v.x * speed;
    v.y = v.y * speed;
    goon->pos = Vec2AddVec2(goon->pos, v);
}

// A goon is one white line from where it stands toward its target.
void DrawGoon(Goon* goon) {
    DrawInfo di = GetDrawInfo(&goon->pos);
    SDL_SetRenderDrawColor(gRenderer, 255, 255, 255, 255);
    f32 heading = Atan2D(goon->target.x - goon->pos.x, goon->pos.y - goon->target.y) + di.angle;
    DrawRotatedLine(di.pos.x, di.pos.y, GOON_LINE * di.scale, heading);
}
