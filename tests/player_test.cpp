// The player: wheel locomotion, aim, hop, swap, item use with recoil, and how it is drawn.
#include "test_util.h"

// One tick from rest: the right hand's item, the row held; wheel speeds, facing and velocity
// (also the distance moved). Then the steady speed, the aim, and hop and swap held.
TEST_F(GameFixture, LocomotionAimHopAndSwap) {
    gApp->mode = MODE_PLAYING; // walls change no velocity, nor where the player is drawn
    const f32 cases[][7] = {{2, BIND_FORWARD, 0.245f, 0, 0.0124993f, 0.0015624f, -0.1249902f},
                            {-1, BIND_SIDE0, -0.245f, 0.245f, -0.0249948f, 0, 0},
                            {-1, BIND_SIDE1, 0.245f, -0.245f, 0.0249948f, 0, 0},
                            {-1, BIND_FORWARD, 0.245f, 0.245f, 0, 0, -0.25f}};
    for (auto& k : cases) {
        InitPlayer(gPlayer);
        gInventory->slots[1].item = k[0];
        gBindInfo[(int)k[1]].down[0] = 1;
        Update(gApp);
        gBindInfo[(int)k[1]].down[0] = 0;
        Player* p = gPlayer;
        ExpectNear(
            {p->wheelSpeed[0], p->wheelSpeed[1], p->facing, p->vel.x, p->vel.y, p->pos.x, p->pos.y},
            {k[2], k[3], k[4], k[5], k[6], k[5], k[6]}, 1e-7, &k - cases);
    }
    gBindInfo[BIND_FORWARD].down[0] = 1;
    Tick(800);
    EXPECT_NEAR(Vec2Magnitude(gPlayer->vel), 24.51f, 0.01f);
    gBindInfo[BIND_FORWARD].down[0] = 0;
    gPlayer->vel = v2zero;
    gPlayer->facing = -0.4f; // the aim stays within a third of a turn of the facing
    UpdateCamera();
    Tick(1, {700, 420}); // square to the right on screen
    EXPECT_NEAR(gPlayer->aim, -0.4f + 1.5707963f, 1e-5);
    Tick(1, {400, 580}); // straight behind
    EXPECT_EQ(gPlayer->aim, -0.4f - 2.0943947f);
    gInventory->slots[1].item = 2;
    KeyPressed(' ', 1); // held, a hop starts every 80 ticks and a swap every 41
    KeyPressed('e', 1);
    std::vector<int> hops, swaps;
    for (int t = 0; t < 250; t++) {
        u8 wasHopping = gPlayer->hopping;
        i8 rightHand = gInventory->slots[1].item;
        Update(gApp);
        if (!wasHopping && gPlayer->hopping)
            hops.push_back(t);
        if (gInventory->slots[1].item != rightHand)
            swaps.push_back(t);
    }
    EXPECT_EQ(hops, (std::vector<int>{0, 80, 160, 240}));
    EXPECT_EQ(swaps, (std::vector<int>{0, 41, 82, 123, 164, 205, 246}));
    EXPECT_EQ(gInventory->slots[2].item, 2); // e swaps with the top box
}

// A hop five ticks after item 2's push (decayed to about 31.64) restores it for the whole hop;
// items 6 and 7 bump no counter; an empty or cooling slot is never used.
TEST_F(GameFixture, ItemUseRecoilAndTheRecoilHop) {
    MouseDownSearch(SDL_BUTTON_RIGHT, 1);
    Tick();
    MouseDownSearch(SDL_BUTTON_RIGHT, 0);
    const i32* uses = gInventory->useCounts;
    EXPECT_TRUE(gPlayer->vel.x == 0 && gPlayer->vel.y == 35 && gInventory->slots[1].cooldown == 80);
    EXPECT_TRUE(uses[0] == 0 && uses[1] == 0 && uses[2] == 1);
    Tick(4);
    KeyPressed(' ', 1);
    Tick();
    KeyPressed(' ', 0);
    for (int t = 0; t < 20; t++, Tick())
        EXPECT_TRUE(gPlayer->hopping && gPlayer->vel.x == 0 && gPlayer->vel.y == 35) << t;
    EXPECT_TRUE(!gPlayer->hopping && gPlayer->vel.y == 35); // landing on the last hop tick
    for (i8 item : {6, 7}) { // no counter bumped; 7 pulls 10 toward the aim
        gInventory->slots[1] = {0, 0, item};
        UseItem(1);
    }
    EXPECT_TRUE(uses[0] == 0 && uses[1] == 0 && uses[2] == 1 && gPlayer->vel.y == 25);
    GameState before;
    memcpy(&before, gApp, sizeof(GameState));
    UseItem(0); // empty
    UseItem(1); // item 7 cooling
    EXPECT_EQ(memcmp(&before, gApp, sizeof(GameState)), 0);
}

// The body at (400, 420) heading up, the labelled slots and a cooldown bar, the room outline.
TEST_F(GameFixture, BodySlotsAndRoomOverlayDrawn) {
    Canvas c;
    gPlayer->pos = {130, -75};
    gPlayer->facing = 1;
    Tick(1, {700, 150});
    DrawPlayer();
    EXPECT_TRUE(c.Near(WHITE, 380, 420) && c.Near(WHITE, 420, 420) && c.Near(WHITE, 400, 440));
    EXPECT_EQ(c.Count(WHITE, 378, 398, 423, 443), c.Count(WHITE));
    EXPECT_TRUE(c.Count(WHITE, 399, 402, 402, 418) == 16 && !c.Count(WHITE, 399, 422, 402, 438));
    c.Clear();
    const SDL_FRect boxes[] = {
        {10, 200, 20, 20}, {60, 200, 20, 20}, {35, 175, 20, 20}, {35, 225, 20, 20}};
    SDL_RenderFillRects(gRenderer, boxes, 4);
    SDL_SetRenderDrawColor(gRenderer, 0, 0, 0, 255);
    for (int i = 0; i < 4; i++)
        SDL_RenderDebugText(gRenderer, boxes[i].x + 5, boxes[i].y + 5, i == 1 ? "2" : "-1");
    std::vector<u32> expected = c.Grab();
    MouseDownSearch(SDL_BUTTON_RIGHT, 1);
    for (int tall : {0, 60, 30}) {
        c.Clear();
        DrawInventory();
        EXPECT_TRUE(tall || c.Grab() == expected);
        EXPECT_TRUE(c.Count(RED) == 8 * tall && c.Count(RED, 10, 120 - tall, 18, 120) == 8 * tall);
        Tick(tall ? 40 : 1);
        MouseDownSearch(SDL_BUTTON_RIGHT, 0);
    }
    gApp->zoom = -1;
    gPlayer->pos = {1185, 825}; // the last block takes in the outermost rooms: corner (675, 475)
    UpdateCamera();
    c.Clear(0x21);
    DrawPlayerDebug();
    auto changedNear = [&](f32 x, f32 y) {
        Vec2 world = {675 + x, 475 + y};
        DrawInfo at = GetDrawInfo(&world);
        return c.Count(BACKGROUND, at.pos.x - 1, at.pos.y - 1, at.pos.x + 2, at.pos.y + 2) < 9;
    };
    EXPECT_TRUE(changedNear(0, 0) && changedNear(270, 0) && changedNear(540, 380) &&
                !changedNear(270, 190));
}
