#include "frontend/HangarUpgrades.h"

#include <algorithm>

#include "data/CXUserProfile.h"

namespace {
// Prices by level. The tokens go on to level 10: their levels 6 to 10 continue the stock's
// rise of 50 a level, so every level costs at least the one before.
constexpr int kWeaponPrices[] = {400, 300, 200, 200, 200};
constexpr int kStockPrices[] = {100, 100, 150, 200, 250};
constexpr int kTokenPrices[] = {100, 100, 150, 200, 250, 300, 350, 400, 450, 500};

constexpr const char* kItemNames[HangarUpgrades::kItemCount] = {"WEAPON", "MISSILES",  "PODS",  "BOMBS",
                                                                "LIVES",  "CONTINUES", "TOKENS"};

template <int N>
int priceAt(const int (&prices)[N], int level) {
    return prices[std::clamp(level, 0, N - 1)];
}
}  // namespace

int HangarUpgrades::minimumLevel(int item) {
    return item >= Bombs && item <= Continues ? 1 : 0;
}

int HangarUpgrades::maximumLevel(int item) {
    if (item >= Weapon && item <= Options) {
        return 3;
    }
    return item == Tokens ? 10 : 5;
}

int HangarUpgrades::cost(int item, int level) {
    if (!valid(item)) {
        return 0;
    }
    if (item <= Options) {
        return priceAt(kWeaponPrices, level);
    }
    return item == Tokens ? priceAt(kTokenPrices, level) : priceAt(kStockPrices, level);
}

const char* HangarUpgrades::itemName(int item) {
    return valid(item) ? kItemNames[item] : "";
}

void HangarUpgrades::loadFrom(const CXUserProfile& profile) {
    levels[Weapon] = profile.weapon;
    levels[Missiles] = profile.missiles;
    levels[Options] = profile.options;
    levels[Bombs] = profile.bombs;
    levels[Lives] = profile.lives;
    levels[Continues] = profile.continues;
    levels[Tokens] = profile.tokens;
    upgradePoints = profile.upgradePoints;
}

void HangarUpgrades::writeTo(CXUserProfile& profile) const {
    profile.weapon = levels[Weapon];
    profile.missiles = levels[Missiles];
    profile.options = levels[Options];
    profile.bombs = levels[Bombs];
    profile.lives = levels[Lives];
    profile.continues = levels[Continues];
    profile.tokens = levels[Tokens];
    profile.upgradePoints = upgradePoints;
}

bool HangarUpgrades::canBuy(int item) const {
    if (!valid(item) || levels[item] >= maximumLevel(item) || upgradePoints < cost(item, levels[item])) {
        return false;
    }
    return item > Options || weaponSystemLevels() < kWeaponSystemTotal;
}

bool HangarUpgrades::canSell(int item) const {
    return valid(item) && levels[item] > minimumLevel(item);
}

bool HangarUpgrades::buy(int item) {
    if (!canBuy(item)) {
        return false;
    }
    upgradePoints -= cost(item, levels[item]);
    levels[item] = std::min(levels[item] + 1, maximumLevel(item));
    return true;
}

bool HangarUpgrades::sell(int item) {
    if (!canSell(item)) {
        return false;
    }
    levels[item] -= 1;
    upgradePoints += cost(item, levels[item]);
    levels[item] = std::max(levels[item], minimumLevel(item));
    return true;
}
