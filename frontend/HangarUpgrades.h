#pragma once

class CXUserProfile;

// The hangar's ledger: the seven upgrade items, their levels and the points left to spend.
// The screen buys and sells through it; nothing reaches the profile until writeTo, which the
// hangar calls on LAUNCH.
//
// Items 0 to 2 are the fighter's weapon systems ("weapon", "missiles", "options": the option
// pods, shown as PODS), 3 to 5 the stock ("bombs", "lives", "continues"), 6 the tokens, which
// nothing in play reads. Going from level L to L + 1 costs the item's
// price at position L; selling that level back refunds the same price.
class HangarUpgrades {
  public:
    enum Item { Weapon = 0, Missiles, Options, Bombs, Lives, Continues, Tokens, kItemCount };
    // The profile keeps at most this many weapon-system levels in all (it cuts a larger
    // sum down when it loads), so the hangar never sells more.
    static constexpr int kWeaponSystemTotal = 5;

    static int minimumLevel(int item);
    static int maximumLevel(int item);
    // Price of going from `level` to `level + 1`. A level above the item's maximum (an older
    // profile may hold one) is priced as the top level; an item outside 0..6 costs 0.
    static int cost(int item, int level);
    // The item's name on the hangar's plate.
    static const char* itemName(int item);

    void loadFrom(const CXUserProfile& profile);
    // The seven levels and the points left.
    void writeTo(CXUserProfile& profile) const;

    // Buying needs the price in points, a level below the maximum and, for a weapon system,
    // room under kWeaponSystemTotal. Selling needs a level above the minimum.
    bool canBuy(int item) const;
    bool canSell(int item) const;
    // True when the level changed; otherwise nothing changes.
    bool buy(int item);
    bool sell(int item);

    int level(int item) const { return valid(item) ? levels[item] : 0; }
    int points() const { return upgradePoints; }
    int weaponSystemLevels() const { return levels[Weapon] + levels[Missiles] + levels[Options]; }

  private:
    static bool valid(int item) { return item >= 0 && item < kItemCount; }

    int levels[kItemCount] = {};
    int upgradePoints = 0;
};
