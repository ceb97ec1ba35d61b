// The player: a round body on two independently driven wheels, one a side. A side whose hand
// is empty drives its wheel, and its turn/use binding brakes or spins it; a side holding an
// item fires it instead, and the recoil pushes the body. The mouse aims within a cone ahead.
//
// UpdatePlayer reads the bindings and the pointer of this tick and the view of the last one,
// and leaves the body moved, turned, aimed, its timers counted and its items swapped or used.
#include "defs.h"

#include <math.h>

Player* gPlayer;

static f32 fAxis; // forward input of this tick: -1, 0 or 1
static f32 rAxis; // spin input of this tick: +1 a free right side held, -1 a free left side

constexpr f32 WHEEL_TARGET = 25.0f; // only sets which way a wheel steps: the decay wins first
constexpr f32 WHEEL_STEP = 0.5f;
constexpr f32 VEL_DECAY = 0.98f;
constexpr f32 THRUST = 0.25f;
constexpr double AXLE = 40.0; // wheel speed difference over this is the turn per tick
constexpr f32 WHEEL_DECAY = 0.49f;
constexpr f32 BODY_RADIUS = 20;

constexpr u32 SWAP_COOLDOWN = 40;
constexpr u32 HOP_TICKS = 20;
constexpr u32 HOP_COOLDOWN = 60;
constexpr u32 RECOIL_WINDOW = 20; // ticks after a use in which a hop restores the push
constexpr u32 RECOIL_HOP_MARK = 20;

static SDL_FRect sDebugRect;

static bool HandFree(u8 side) {
    return gInventory->slots[side].item == -1;
}

void InitPlayer(Player* player) {
    gPlayer = player;
    InitEntity(player, v2zero, 0);
    player->vel = v2zero;
    player->facing = 0;
    player->wheelSpeed[0] = 0;
    player->wheelSpeed[1] = 0;
    player->swapCooldown[0] = 0;
    player->swapCooldown[1] = 0;
    player->recoilTimer = 0;
    player->hopTimer = 0;
    player->hopping = 0;
}

bool WheelActive(u8 side) {
    return gPlayer->wheelHeld[side] && HandFree(side);
}

void UpdatePlayer() {
    Player* p = gPlayer;

    p->wheelHeld[1] = BindHeld(BIND_SIDE1);
    p->wheelHeld[0] = BindHeld(BIND_SIDE0);
    fAxis = (BindHeld(BIND_FORWARD) ? 1 : 0) - (BindHeld(BIND_BACK) ? 1 : 0);
    rAxis = (WheelActive(1) ? 1 : 0) - (WheelActive(0) ? 1 : 0);

    // Wheels: spin in place on one side's input alone, else drive, with a held side braking.
    if (fAxis == 0 && rAxis != 0) {
        if (HandFree(0))
            p->wheelSpeed[0] = StepToF(p->wheelSpeed[0], rAxis * WHEEL_TARGET, WHEEL_STEP);
        if (HandFree(1))
            p->wheelSpeed[1] = StepToF(p->wheelSpeed[1], -rAxis * WHEEL_TARGET, WHEEL_STEP);
    } else {
        for (u8 side = 0; side < 2; side++) {
            if (!HandFree(side))
                continue;
            f32 target = p->wheelHeld[side] ? 0 : fAxis * WHEEL_TARGET;
            p->wheelSpeed[side] = StepToF(p->wheelSpeed[side], target, WHEEL_STEP);
        }
    }

    // Thrust and turn; in the air the body keeps its velocity and the wheels spin freely.
    if (!p->hopping) {
        Vec2 decayed = {p->vel.x * VEL_DECAY, p->vel.y * VEL_DECAY};
        f32 speed = (p->wheelSpeed[0] + p->wheelSpeed[1]) * THRUST;
        p->facing = p->facing + Atan2D(p->wheelSpeed[0] - p->wheelSpeed[1], AXLE);
        p->vel = Vec2AddVec2(decayed, Rotate(speed, p->facing));
        p->wheelSpeed[0] *= WHEEL_DECAY;
        p->wheelSpeed[1] *= WHEEL_DECAY;
    }

    if (Vec2Magnitude(p->vel) > 0)
        MoveCollideStep(p, p->vel);

    // Aim at the pointer through last tick's view, kept within a third of a turn of facing.
    DrawInfo info = GetDrawInfo(&p->pos);
    p->aim = Atan2D(gApp->mouse.x - info.pos.x, info.pos.y - gApp->mouse.y) - info.angle;
    f32 d = GetAngleDiff(p->facing, p->aim);
    if (d < -PI_TWOTHIRDS)
        d = -PI_TWOTHIRDS;
    else if (d > PI_TWOTHIRDS)
        d = PI_TWOTHIRDS;
    p->aim = p->facing + d;

    if (p->recoilTimer != 0)
        p->recoilTimer--;
    if (p->hopTimer != 0)
        p->hopTimer--;
    if (p->recoilHopTimer != 0)
        p->recoilHopTimer--;

    for (u8 side = 0; side < 2; side++) {
        if (p->swapCooldown[side] != 0) {
            p->swapCooldown[side]--;
        } else if (BindHeld(BIND_SWAP0 + side)) {
            p->swapCooldown[side] = SWAP_COOLDOWN;
            ItemSwap(side, 0);
        }
    }

    if (p->wheelHeld[0])
        UseItem(0);
    if (p->wheelHeld[1])
        UseItem(1);

    // A hop turns the body toward the aim it began with, a little more each tick; a hop
    // begun soon after a use instead restores the velocity the recoil gave.
    if (p->hopping) {
        if (p->hopTimer == 0) {
            p->hopTimer = HOP_COOLDOWN;
            p->hopping = 0;
        } else {
            p->facing = p->facing + GetAngleDiff(p->facing, p->hopAngle) / (f32)p->hopTimer;
        }
    } else if (p->hopTimer == 0 && BindHeld(BIND_HOP)) {
        p->hopTimer = HOP_TICKS;
        if (p->recoilTimer != 0) {
            p->vel = p->savedVel;
            p->recoilTimer = 0;
            p->recoilHopTimer = RECOIL_HOP_MARK;
        } else {
            p->hopAngle = p->aim;
        }
        p->hopping = 1;
    }
}

// ---- Item use --------------------------------------------------------------------------

void UseItem(u8 side) {
    InventorySlot* slot = &gInventory->slots[side];
    if (slot->cooldown != 0)
        return;
    if (slot->item < 0 || slot->item >= ITEM_KINDS)
        return;
    const WeaponInfo* row = &gWeaponInfo[slot->item];
    if (row->countIndex >= 0 && row->countIndex <= 2)
        gInventory->useCounts[row->countIndex]++;
    slot->cooldownMax = row->cooldownFrames;
    slot->cooldown = slot->cooldownMax;
    ItemRecoil(-row->recoil);
    PadRumble(row->recoil);
}

// Pushes the body along the aim (a negative amount pushes away from it) and opens the
// window in which a hop brings this velocity back.
void ItemRecoil(f32 amount) {
    Vec2 push = Rotate(amount, gPlayer->aim);
    gPlayer->vel = Vec2AddVec2(gPlayer->vel, push);
    gPlayer->recoilTimer = RECOIL_WINDOW;
    gPlayer->savedVel = gPlayer->vel;
}

// ---- Drawing ---------------------------------------------------------------------------

// The body with three lines from its centre: grey toward world heading 0, the red aim and
// the white heading, which the turning view always shows pointing up.
void DrawPlayer() {
    DrawInfo info = GetDrawInfo(&gPlayer->pos);
    SDL_SetRenderDrawColor(gRenderer, 127, 127, 127, 255);
    DrawRotatedLine(info.pos.x, info.pos.y, BODY_RADIUS * info.scale, info.angle);
    SDL_SetRenderDrawColor(gRenderer, 255, 0, 0, 255);
    DrawRotatedLine(info.pos.x, info.pos.y, 160 * info.scale, info.angle + gPlayer->aim);
    SDL_SetRenderDrawColor(gRenderer, 255, 255, 255, 255);
    DrawRotatedLine(info.pos.x, info.pos.y, BODY_RADIUS * info.scale, info.angle + gPlayer->facing);
    Circle body = {info.pos, BODY_RADIUS * info.scale};
    DrawCircle(&body);
}

// Which of the 2 by 2 blocks a coordinate falls in, along one axis: blocks 0 to 7, the last
// one taking in the outermost room.
static u8 BlockIndex(f32 pos, f32 room) {
    f32 u = pos / room + 4;
    if (u >= 7)
        return 7;
    return u > 0 ? (u8)u : 0;
}

// A translucent outline of the 2 by 2 rooms around the grid corner nearest the player.
void DrawPlayerDebug() {
    SDL_SetRenderDrawBlendMode(gRenderer, SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(gRenderer, 0, 255, 255, 100);
    u8 column = BlockIndex(gPlayer->pos.x, 270);
    u8 row = BlockIndex(gPlayer->pos.y, 190);
    Vec2 corner = {(column - 4.5f) * 270, (row - 4.5f) * 190};
    DrawInfo cinfo = GetDrawInfo(&corner);
    sDebugRect = {cinfo.pos.x, cinfo.pos.y, 540 * cinfo.scale, 380 * cinfo.scale};
    DrawRotatedRect(&sDebugRect, cinfo.angle);
    SDL_SetRenderDrawBlendMode(gRenderer, SDL_BLENDMODE_NONE);
}
