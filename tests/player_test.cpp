// The player: wheels, aim, hop, swaps, items and recoil, and every timer they run on.
#include "test_util.h"

TEST_F(GameFixture, WheelsDriveBrakeSpinAndAim) {
    Player* p = gPlayer;
    Press(BIND_FORWARD); // with the item in the right hand only the left wheel drives: a curve
    EXPECT_TRUE(
        Near({p->wheelSpeed[0], p->wheelSpeed[1], p->facing * 1e3f, p->vel.x * 1e3f, p->vel.y},
             {0.245f, 0, 12.4993f, 1.5624f, -0.12499f}));
    InitPlayer(p);
    gInventory->slots[1].item =
        -1; // both hands free: straight on, to where decay and thrust balance
    Press(BIND_FORWARD, 800);
    EXPECT_TRUE(Near({p->vel.x, p->vel.y / 10, p->facing}, {0, -2.451f, 0}));
    InitPlayer(p);
    Press(BIND_SIDE0); // a free side alone spins the body in place, to the left
    EXPECT_TRUE(
        Near({p->wheelSpeed[0], p->wheelSpeed[1], p->facing * 1e3f}, {-0.245f, 0.245f, -24.9948f}));
    InitPlayer(p);
    UpdateCamera();
    Tick(1, {274, 502}); // aiming 2.15 to the left: held at a third of a turn
    EXPECT_EQ(p->aim, -2.0943947f);
    Tick(1, {400, 580}); // straight behind: half a turn counts as a turn to the left
    EXPECT_EQ(p->aim, -2.0943947f);
}

// Held, a hop comes every 80 ticks, turning to the aim it began with; a swap, every 41 ticks.
TEST_F(GameFixture, HeldHopsAndSwapsRepeatAtTheirTimersRates) {
    KeyPressed(' ', 1);
    KeyPressed('e', 1);
    std::vector<int> hops, swaps;
    for (int t = 0; t < 250; t++) {
        Tick(1, {700, 420}); // aiming a quarter turn right
        if (gPlayer->hopping && gPlayer->hopTimer == 20)
            hops.push_back(t);
        if (gPlayer->swapCooldown[1] == 40)
            swaps.push_back(t);
        EXPECT_TRUE(t != 19 || Near({gPlayer->facing}, {1.5707963f})); // the first hop, turned
    }
    EXPECT_EQ(hops, (std::vector<int>{0, 80, 160, 240}));
    EXPECT_EQ(swaps, (std::vector<int>{0, 41, 82, 123, 164, 205, 246}));
    EXPECT_EQ(gInventory->slots[2].item, 2); // seven swaps leave it in the top box
}

// Each item's push from rest aiming up (item 2: 35 straight down), from either hand, and the ticks
// until a held trigger fires it again; items 6 and 7 count nowhere.
TEST_F(GameFixture, EachItemHasItsOwnPushAndCooldown) {
    const f32 push[ITEM_KINDS] = {2, 2, 35, 175, 175, 175, 0, -10}; // negative pulls forward
    const u32 cooldown[ITEM_KINDS] = {18, 3, 80, 12, 50, 1, 6, 60};
    for (i8 item = 0, side = 0; item < ITEM_KINDS; item++, side = item % 2) {
        InitPlayer(gPlayer);
        UpdateCamera();
        gInventory->slots[1 - side].item = -1;
        gInventory->slots[side] = {0, 0, item};
        gBindInfo[BIND_SIDE0].down[0] = !side;
        gBindInfo[BIND_SIDE1].down[0] = side;
        Tick();
        u32 again = 1;
        EXPECT_EQ(gPlayer->vel.y, push[item]) << +item;
        const InventorySlot& slot = gInventory->slots[side]; // a cooldown that never ends fails
        for (Tick(); slot.cooldown != slot.cooldownMax && again < 100; Tick())
            again++;
        EXPECT_EQ(again, cooldown[item]) << +item;
    }
    const i32* uses = gInventory->useCounts; // each item used twice
    EXPECT_TRUE(uses[0] == 2 * 2 && uses[1] == 3 * 2 && uses[2] == 2);
}

// A hop within the 20 ticks after a use brings back the velocity the push left, until it lands.
TEST_F(GameFixture, AHopSoonAfterAUseRestoresThePush) {
    for (u32 wait : {20, 5}) { // ticks from the use to the hop
        InitPlayer(gPlayer);
        UpdateCamera();
        gInventory->slots[1].cooldown = 0;
        gPlayer->vel = {0, -3}; // decayed to -2.94 by the tick of the use
        Press(BIND_SIDE1);
        Tick(wait - 1);
        Press(BIND_HOP);
        EXPECT_EQ(Near({gPlayer->vel.x, gPlayer->vel.y}, {0, 32.06f}), wait < 20) << wait;
    }
    for (u32 t = 20; t > 0; t--, Tick())
        EXPECT_TRUE(Near({gPlayer->vel.x, gPlayer->vel.y}, {0, 32.06f}) && gPlayer->hopping &&
                    gPlayer->recoilHopTimer == t)
            << t;
}
