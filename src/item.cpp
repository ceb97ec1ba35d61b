// What each item does when used: its push, its cooldown and the counter it bumps.
#include "defs.h"

const WeaponInfo gWeaponInfo[ITEM_KINDS] = {
    // aux, recoil (pushes away from the aim), cooldown ticks, use counter
    {5.0f, 2.0f, 18, 0},     // 0
    {4.0f, 2.0f, 3, 0},      // 1
    {5.0f, 35.0f, 80, 2},    // 2: the starting item
    {35.0f, 175.0f, 12, 1},  // 3
    {35.0f, 175.0f, 50, 1},  // 4
    {35.0f, 175.0f, 1, 1},   // 5: fires every tick
    {35.0f, 0.0f, 6, -1},    // 6: no push, but it still opens the recoil window
    {35.0f, -10.0f, 60, -1}, // 7: pulls toward the aim
};
