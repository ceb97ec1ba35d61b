// The player: wheels, aim, hop, swaps, items and recoil, and every timer they run on.
#include "test_util.h"

// From rest: one tick's drive, the wheels' speeds after it, and which way the body turns and goes.
TEST_F(GameFixture, WheelsDriveSpinAndAim) {
    Player* p = gPlayer;
    Press(BIND_FORWARD); // with the item in the right hand only the left wheel drives: a curve
    EXPECT_TRUE(p->wheelSpeed[0] == 0.245f && p->wheelSpeed[1] == 0 && p->facing > 0);
    EXPECT_TRUE(p->vel.x > 0 && p->vel.y < 0);
    InitPlayer(p);
    gInventory->slots[1].item = -1;
    Press(BIND_SIDE0); // a free side alone spins the body in place, to the left
    EXPECT_TRUE(p->wheelSpeed[0] == -0.245f && p->wheelSpeed[1] == 0.245f && p->facing < 0);
    InitPlayer(p);
    UpdateCamera();
    auto aim = [&](Vec2 pointer) { return Tick(1, pointer), p->aim; }; // after a tick there
    EXPECT_EQ(aim({274, 502}), -2.0943947f); // 2.15 to the left: held at a third of a turn
    EXPECT_EQ(aim({526, 502}), 2.0943947f);  // and to the right
    // Straight behind, half a turn: from the game's own pi (3.141592) on, a turn to the left.
    EXPECT_TRUE(aim({400, 580}) == -2.0943947f && GetAngleDiff(0, 3.141592f) == -3.141593f);
}

// Held, a hop comes every 80 ticks, turning to the aim it began with; a swap, every 41 ticks.
TEST_F(GameFixture, HeldHopsAndSwapsRepeatAtTheirTimersRates) {
    KeyPressed(SDL_SCANCODE_SPACE, 1);
    KeyPressed(SDL_SCANCODE_E, 1);
    std::vector<int> hops, swaps;
    for (int t = 0; t < 250; t++) {
        Tick(1, {700, 420}); // aiming a quarter turn right
        if (gPlayer->hopping && gPlayer->hopTimer == 20)
            hops.push_back(t);
        if (gPlayer->swapCooldown[1] == 40)
            swaps.push_back(t);
        EXPECT_TRUE(t != 19 || fabsf(gPlayer->facing - 1.5707963f) < 1e-6f); // the hop, turned
    }
    EXPECT_EQ(hops, (std::vector<int>{0, 80, 160, 240}));
    EXPECT_EQ(swaps, (std::vector<int>{0, 41, 82, 123, 164, 205, 246}));
    EXPECT_EQ(gInventory->slots[2].item, 2); // seven swaps leave it in the top box
}

// The item in play, from either hand, aiming up: a push of 35 down, again 80 ticks later, counted.
// A hop within 20 ticks of a use brings back the velocity the push left, until it lands.
TEST_F(GameFixture, TheItemPushesCoolsDownAndLendsAHopItsPush) {
    for (u8 side : {1, 0}) {
        InitPlayer(gPlayer);
        UpdateCamera();
        gInventory->slots[1 - side].item = -1;
        gInventory->slots[side] = {0, 0, 2};
        gBindInfo[BIND_SIDE0 + side].down[0] = 1;
        Tick();
        EXPECT_EQ(gPlayer->vel.y, 35) << +side;
        u32 again = 1;
        const InventorySlot& slot = gInventory->slots[side]; // a cooldown that never ends fails
        for (Tick(); slot.cooldown != slot.cooldownMax && again < 100; Tick())
            again++;
        EXPECT_EQ(again, 80u) << +side;
        gBindInfo[BIND_SIDE0 + side].down[0] = 0;
    }
    EXPECT_EQ(gInventory->useCounts[2], 4);
    for (u32 wait : {20, 19}) { // ticks from the use to the hop: the first out, the last in
        InitPlayer(gPlayer);
        UpdateCamera();
        gInventory->slots[0].cooldown = 0;
        gPlayer->vel = {0, -3}; // decayed to -2.94 by the tick of the use
        Press(BIND_SIDE0);
        Tick(wait - 1);
        Press(BIND_HOP);
        EXPECT_EQ(Near(gPlayer->vel, {0, 32.06f}), wait < 20) << wait;
    }
    for (u32 t = 20; t > 0; t--, Tick())
        EXPECT_TRUE(Near(gPlayer->vel, {0, 32.06f}) && gPlayer->hopping) << t;
}

// At zoom 1.5, turned half round: a white circle of radius 30 at (400, 420), a grey line to world
// heading 0, the white heading and the red aim, 240 long; the 2 by 2 rooms nearest, in the grid.
TEST_F(GameFixture, ThePlayerAndTheRoomsAroundItAreDrawnThroughTheView) {
    Canvas c;
    gApp->zoom = 1.5f;
    gPlayer->facing = 3.1415927f;
    UpdateCamera();
    gPlayer->facing = 4.712389f; // right on screen
    gPlayer->aim = 1.5707964f;   // left on screen
    DrawPlayer();
    EXPECT_TRUE(c.At(400, 445) == 0x7F7F7F && c.At(415, 420) == WHITE);
    EXPECT_TRUE(c.At(440, 420) == BLACK && c.At(165, 420) == RED && c.At(155, 420) == BLACK);
    EXPECT_GT(c.Count(WHITE, 427, 424, 5, 6), 0); // the edge, 30 out
    gLines.clear();
    DrawPlayerDebug(); // room columns and rows 4 and 5, from (-135, -95) at the bottom right
    EXPECT_TRUE(Near(gLines[0].from, {602.5f, 562.5f}) && Near(gLines[0].to, {-207.5f, 562.5f}));
    EXPECT_TRUE(Near(gLines[1].to, {602.5f, -7.5f}));
    gPlayer->pos = {1185, -825}; // columns 7 and 8, rows 0 and 1: from (675, -855)
    UpdateCamera();
    DrawPlayerDebug();
    EXPECT_TRUE(Near(gLines[4].from, {445, -345}));
}
