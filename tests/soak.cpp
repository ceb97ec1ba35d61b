// Soak: hours of play with random, seeded input through the game's own entry points, checking
// after every tick that nothing in the game state has gone bad. Usage: game_soak [ticks] [seed]
#include "defs.h"

#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static u64 sRng;

static u32 Next() { // xorshift64*: fast, and the same run for the same seed everywhere
    sRng ^= sRng >> 12;
    sRng ^= sRng << 25;
    sRng ^= sRng >> 27;
    return (u32)((sRng * 0x2545F4914F6CDD1DULL) >> 32);
}
static f32 Uniform(f32 lo, f32 hi) {
    return lo + (hi - lo) * (Next() / 4294967296.0f);
}
static bool Chance(u32 oneIn) {
    return Next() % oneIn == 0;
}

static const i32 kKeys[] = {'w', 's', 'a', 'd', 'q', 'e', ' ', 'x'};
static const u8 kButtons[] = {SDL_BUTTON_LEFT, SDL_BUTTON_MIDDLE, SDL_BUTTON_RIGHT, 255};

static void SendInput() {
    SDL_Event e;
    SDL_zero(e);
    if (Chance(4)) {
        e.type = Chance(2) ? SDL_EVENT_KEY_DOWN : SDL_EVENT_KEY_UP;
        e.key.key = kKeys[Next() % 8];
        SDL_AppEvent(nullptr, &e);
    }
    if (Chance(8)) {
        e.type = Chance(2) ? SDL_EVENT_MOUSE_BUTTON_DOWN : SDL_EVENT_MOUSE_BUTTON_UP;
        e.button.button = kButtons[Next() % 4];
        SDL_AppEvent(nullptr, &e);
    }
    if (Chance(200)) {
        e.type = SDL_EVENT_MOUSE_WHEEL;
        e.wheel.y = Uniform(-2, 2);
        SDL_AppEvent(nullptr, &e);
    }
    if (Chance(3))
        SDL_WarpMouseInWindow(gWindow, Uniform(0, LOGICAL_W), Uniform(0, LOGICAL_H));
}

static void PlaceObjects() {
    for (int i = 0; i < CRATE_SLOTS; i++)
        InitCrate(&gApp->crates[i], {Uniform(-1200, 1200), Uniform(-840, 840)}, i, i);
    for (int i = 0; i < GOON_SLOTS; i++) {
        Goon* g = &gApp->goons[i];
        g->active = Chance(4) ? 0 : 1;
        g->state = Chance(3) ? GOON_BACKING_OFF : 0;
        g->timer = 1 + Next() % 90;
        // Some goons start exactly on the player, where "away" has no direction.
        g->pos = Chance(4) ? gPlayer->pos : Vec2{Uniform(-2000, 2000), Uniform(-2000, 2000)};
        g->target = Chance(4) ? g->pos : gPlayer->pos;
    }
}

static bool Finite(Vec2 v) {
    return isfinite(v.x) && isfinite(v.y);
}

// Returns a description of the first broken rule, or null.
static const char* Check(const Inventory* startItems) {
    const Player* p = gPlayer;
    if (p != &gApp->player || gInventory != &gApp->inventory || gFloor != &gApp->floor)
        return "global pointer moved";
    if (!Finite(p->pos) || !Finite(p->vel) || !Finite(p->savedVel) || !isfinite(p->facing) ||
        !isfinite(p->aim) || !isfinite(p->wheelSpeed[0]) || !isfinite(p->wheelSpeed[1]))
        return "player not finite";
    if (fabsf(p->pos.x) > 1185 || fabsf(p->pos.y) > 825)
        return "player outside the world";
    if (p->hopTimer > 60 || p->recoilTimer > 20 || p->recoilHopTimer > 20 ||
        p->swapCooldown[0] > 40 || p->swapCooldown[1] > 40 || p->hopping > 1)
        return "player timer out of range";
    if (!Finite(gApp->camera) || !isfinite(gApp->cameraAngle) || !isfinite(gApp->zoom))
        return "camera not finite";
    int items[ITEM_KINDS + 1] = {}, startCount[ITEM_KINDS + 1] = {};
    for (int i = 0; i < 4; i++) {
        const InventorySlot* s = &gInventory->slots[i];
        if (s->cooldown > s->cooldownMax)
            return "cooldown above its maximum";
        if (s->cooldown != 0 && s->item < 0)
            return "an empty slot cooling down";
        if (s->item < -1 || s->item >= ITEM_KINDS)
            return "slot holds no known item";
        items[s->item + 1]++;
        startCount[startItems->slots[i].item + 1]++;
    }
    if (memcmp(items, startCount, sizeof(items)) != 0)
        return "items created or lost";
    for (int i = 0; i < GOON_SLOTS; i++) {
        const Goon* g = &gApp->goons[i];
        if (g->active && (!Finite(g->pos) || !Finite(g->target)))
            return "goon not finite";
        if (g->active && g->state == GOON_BACKING_OFF && (g->timer < 1 || g->timer > 90))
            return "goon back-off timer out of range";
    }
    for (int i = 0; i < 8; i++)
        for (int j = 0; j < 9; j++)
            if (gFloor->vWalls[i][j] > 1 || gFloor->hWalls[j][i] > 1)
                return "floor cell not 0 or 1";
    for (int row = 0; row < BIND_COUNT; row++)
        if (memcmp(gBindInfo[row].binds, gInitBinds[row], sizeof(gInitBinds[row])) != 0)
            return "bindings changed";
    return nullptr;
}

int main(int argc, char** argv) {
    u64 ticks = argc > 1 ? strtoull(argv[1], nullptr, 10) : 1000000;
    sRng = argc > 2 ? strtoull(argv[2], nullptr, 10) : 1;
    sRng = sRng * 0x9E3779B97F4A7C15ULL + 1;
    SDL_SetHint(SDL_HINT_VIDEO_DRIVER, "dummy");
    SDL_srand(sRng);

    char arg0[] = "soak";
    char* args[] = {arg0, nullptr};
    if (SDL_AppInit(nullptr, 1, args) != SDL_APP_CONTINUE) {
        printf("soak: start-up failed: %s\n", SDL_GetError());
        return 1;
    }
    Inventory startItems = gApp->inventory;
    for (u64 tick = 1; tick <= ticks; tick++) {
        SendInput();
        if (Chance(20000))
            GenerateFloor(&gApp->floor, Next() | 1);
        if (Chance(5000))
            PlaceObjects();
        Update(gApp);
        if (Chance(500))
            Draw(gApp, gRenderer);
        SDL_FlushEvents(SDL_EVENT_FIRST, SDL_EVENT_LAST);
        if (const char* fault = Check(&startItems)) {
            printf("soak: tick %llu: %s\n", (unsigned long long)tick, fault);
            return 1;
        }
    }
    printf("soak: player at (%.1f, %.1f) facing %.1f, zoom %.2f, uses %d %d %d\n", gPlayer->pos.x,
           gPlayer->pos.y, gPlayer->facing, gApp->zoom, gInventory->useCounts[0],
           gInventory->useCounts[1], gInventory->useCounts[2]);
    SDL_AppQuit(nullptr, SDL_APP_SUCCESS);
    printf("soak: %llu ticks, no fault\n", (unsigned long long)ticks);
    SDL_Quit();
    return 0;
}
