// The player: wheels, aim, hop, swaps, items and recoil, every timer they run on, the drawing.
#include "test_util.h"

TEST_F(GameFixture, WheelsDriveBrakeAndSpinTheBody) {
    Player* p = gPlayer;
    Hold(BIND_FORWARD); // the right hand holds the starting item: only the left wheel drives
    Tick();
    EXPECT_TRUE(p->wheelSpeed[0] == 0.245f && p->wheelSpeed[1] == 0); // and the body curves right
    EXPECT_TRUE(fabsf(p->facing - 0.0124993f) + fabsf(p->vel.x - 0.0015624f) +
                    fabsf(p->vel.y + 0.1249902f) <
                1e-6f);
    InitPlayer(p);
    gInventory->slots[1].item = -1; // both hands free: straight ahead, 0.25 a tick
    Tick();
    EXPECT_TRUE(p->wheelSpeed[0] == 0.245f && p->wheelSpeed[1] == 0.245f && p->facing == 0);
    EXPECT_TRUE(p->vel.x == 0 && p->vel.y == -0.25f && p->pos.x == 0 && p->pos.y == -0.25f);
    Tick(800);
    EXPECT_NEAR(Vec2Magnitude(p->vel), 24.51f, 0.01f); // where decay and thrust balance
    Hold(BIND_FORWARD, 0);
    InitPlayer(p);
    Hold(BIND_SIDE0); // a free side alone spins the body in place, to the left
    Tick();
    EXPECT_TRUE(p->wheelSpeed[0] == -0.245f && p->wheelSpeed[1] == 0.245f && p->vel.y == 0);
    EXPECT_NEAR(p->facing, -0.0249948f, 1e-7);
    Hold(BIND_SIDE0, 0);
    InitPlayer(p);
    gPlayer->facing = -0.4f;
    UpdateCamera();
    Tick(1, {700, 420}); // the aim: square to the right of the player on screen
    EXPECT_NEAR(gPlayer->aim, gPlayer->facing + 1.5707963f, 1e-5);
    Tick(1, {400, 580}); // straight behind: half a turn counts as left, and stops at the limit
    EXPECT_EQ(gPlayer->aim, gPlayer->facing - 2.0943947f);
}

// With the hop and swap keys held, the ticks on which each starts, and how long a hop lasts.
TEST_F(GameFixture, HeldHopsAndSwapsRepeatAtTheirTimersRates) {
    KeyPressed(' ', 1);
    KeyPressed('e', 1);
    std::vector<int> hops, swaps;
    int airborne = 0;
    for (int t = 0; t < 250; t++) {
        u8 wasHopping = gPlayer->hopping;
        i8 rightHand = gInventory->slots[1].item;
        Tick();
        airborne += gPlayer->hopping;
        if (!wasHopping && gPlayer->hopping)
            hops.push_back(t);
        if (gInventory->slots[1].item != rightHand)
            swaps.push_back(t);
    }
    EXPECT_EQ(hops, (std::vector<int>{0, 80, 160, 240}));                // 20 ticks up, 60 to wait
    EXPECT_EQ(airborne, 3 * 20 + 10);                                    // the last one still up
    EXPECT_EQ(swaps, (std::vector<int>{0, 41, 82, 123, 164, 205, 246})); // 40 to wait
    EXPECT_EQ(gInventory->slots[2].item, 2); // e swaps the right hand with the top box
    KeyPressed(' ', 0);
    Tick(100); // a hop turns the body toward the aim it began with, in 19 equal steps
    KeyPressed(' ', 1);
    Tick(1, {700, 420});
    KeyPressed(' ', 0);
    f32 from = gPlayer->facing, turn = GetAngleDiff(from, gPlayer->aim);
    Tick(10, {100, 420});
    EXPECT_NEAR(gPlayer->facing, from + turn * 10 / 19, 1e-4);
    Tick(9, {100, 420});
    EXPECT_NEAR(gPlayer->facing, from + turn, 1e-4);
}

// Item 2 from rest, aiming up: pushed 35 straight down. A hop in the 20 ticks after brings the
// push back and keeps it for the hop.
TEST_F(GameFixture, FiringPushesBackAndAHopSoonAfterRestoresThePush) {
    const InventorySlot* right = &gInventory->slots[1];
    for (int wait : {5, 19, 20}) { // the hop so many ticks after the use
        InitPlayer(gPlayer);
        UpdateCamera();
        gInventory->slots[1].cooldown = 0;
        Hold(BIND_SIDE1);
        Tick();
        Hold(BIND_SIDE1, 0);
        EXPECT_TRUE(gPlayer->vel.x == 0 && gPlayer->vel.y == 35 && right->cooldown == 80);
        Tick(wait - 1);
        Hold(BIND_HOP);
        Tick();
        Hold(BIND_HOP, 0);
        EXPECT_EQ(gPlayer->vel.y == 35, wait < 20) << wait; // decayed below 32 by then
    }
    EXPECT_EQ(gInventory->useCounts[2], 3);
    InitPlayer(gPlayer); // after a recoil hop the velocity stays put until it lands
    gPlayer->vel = gPlayer->savedVel = {0, 35};
    gPlayer->recoilTimer = 2;
    Hold(BIND_HOP);
    for (int t = 20; t >= 0; t--, Tick())
        EXPECT_TRUE(gPlayer->vel.y == 35 && gPlayer->hopping == (t < 20) &&
                    gPlayer->recoilHopTimer == (t < 20 ? t + 1 : 0))
            << t;
}

// Each item's push from rest, aiming up, and the ticks until a held trigger fires again.
TEST_F(GameFixture, EachItemHasItsOwnPushAndCooldown) {
    const f32 push[ITEM_KINDS] = {2, 2, 35, 175, 175, 175, 0, -10}; // negative pulls forward
    const u32 cooldown[ITEM_KINDS] = {18, 3, 80, 12, 50, 1, 6, 60};
    const InventorySlot* right = &gInventory->slots[1];
    for (i8 item = 0; item < ITEM_KINDS; item++) {
        InitPlayer(gPlayer);
        UpdateCamera();
        gInventory->slots[1] = {0, 0, item};
        Hold(BIND_SIDE1);
        Tick();
        EXPECT_EQ(gPlayer->vel.y, push[item]) << +item;
        u32 again = 1;
        for (Tick(); right->cooldown != right->cooldownMax && again < 100; Tick())
            again++;
        EXPECT_EQ(again, cooldown[item]) << +item;
    }
    const i32* uses = gInventory->useCounts; // each item was used twice; 6 and 7 count nowhere
    EXPECT_TRUE(uses[0] == 2 * 2 && uses[1] == 3 * 2 && uses[2] == 2);
    GameState before = *gApp; // an empty hand and a cooling item are not used at all
    UseItem(0);
    UseItem(1);
    EXPECT_EQ(memcmp(&before, gApp, sizeof(GameState)), 0);
}

// The body at (400, 420) with the white heading up, the grey world-up line off to the left (the
// body faces 1 radian right), the red aim up at the pointer; the slots and a cooldown bar, full
// after a use, half 40 ticks later, moving with its item to the top box.
TEST_F(GameFixture, PlayerAndSlotsDrawn) {
    Canvas c;
    gPlayer->facing = 1;
    UpdateCamera();
    Tick(1, {400, 100});
    DrawPlayer();
    EXPECT_TRUE(c.Count(WHITE, 379, 419, 3, 3) && c.Count(WHITE, 419, 419, 3, 3) &&
                c.Count(WHITE, 399, 439, 3, 3) && c.Count(WHITE, 399, 409, 3, 3));
    EXPECT_TRUE(c.Count(0x7F7F7F, 390, 413, 3, 3) && c.Count(RED) == c.Count(RED, 398, 259, 5, 162));
    const SDL_FRect boxes[4] = {
        {10, 200, 20, 20}, {60, 200, 20, 20}, {35, 175, 20, 20}, {35, 225, 20, 20}};
    c.Clear();
    SDL_SetRenderDrawColor(gRenderer, 255, 255, 255, 255);
    SDL_RenderFillRects(gRenderer, boxes, 4);
    SDL_SetRenderDrawColor(gRenderer, 0, 0, 0, 255);
    for (int i = 0; i < 4; i++)
        SDL_RenderDebugText(gRenderer, boxes[i].x + 5, boxes[i].y + 5, i == 1 ? "2" : "-1");
    std::string expected = c.Snapshot();
    c.Clear();
    DrawInventory();
    EXPECT_TRUE(c.Snapshot() == expected);
    for (int tall : {60, 30}) {
        Hold(BIND_SIDE1, tall == 60);
        Tick(tall == 60 ? 1 : 40);
        DrawInventory();
        EXPECT_TRUE(c.Count(RED) == 8 * tall && c.Count(RED, 10, 120 - tall, 8, tall) == 8 * tall);
        c.Clear();
    }
    ItemSwap(1, 0);
    DrawInventory();
    EXPECT_EQ(c.Count(RED, 20, 90, 8, 30), 8 * 30);
}
