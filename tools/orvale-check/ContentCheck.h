#pragma once
// The content checker's rules. The keys it knows are the keys the game's loaders were seen to
// read (KeyLedger, filled while they load and play the package); the checker then walks every
// property list and reports, one finding per fault, what the loaders would pass over or misread.

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "data/Plist.h"
#include "data/PlistRead.h"

// What the loaders read, by key: the kinds of value each read takes and the ranges counts and
// sizes are held to.
class KeyLedger : public Plist::ReadLedger {
  public:
    struct Use {
        unsigned kinds = 0;  // one bit per Plist::ReadKind
        std::vector<std::pair<double, double>> ranges;
    };

    void noteRead(const std::string& key, Plist::ReadKind kind) override;
    void noteRange(const std::string& key, double low, double high) override;

    bool knows(const std::string& key) const { return uses.count(key) != 0; }
    // True when a loader reads `family 0`, `family 1` ... as keys of its own (not as names).
    bool readsIndexed(const std::string& family) const;
    const Use* use(const std::string& key) const;
    // The known key nearest to `key` in edits, or empty when none is near enough to be a typo.
    std::string nearest(const std::string& key) const;

  private:
    std::map<std::string, Use> uses;
};

struct Finding {
    std::string file;  // package path
    std::string key;   // the key, nested keys joined with " > "
    std::string message;
};

// Reads the package's files through the asset package (already mounted) and checks them.
class ContentCheck {
  public:
    explicit ContentCheck(const KeyLedger& learned) : ledger(learned) {}

    // Every ".plist" under "assets/plist", sorted.
    static std::vector<std::string> propertyLists();

    // Checks every list; findings in file order.
    std::vector<Finding> run();

    // The reference keys whose names no loader was seen to read: a rule that has drifted from
    // the loaders, reported by the tool as its own fault.
    std::vector<std::string> staleReferenceKeys() const;

  private:
    void checkFile(const std::string& path);
    void checkDict(const Plist::Dictionary& dict, const std::string& file, const std::string& at);
    void checkValue(const std::string& key, const Plist::Value& value, const std::string& file,
                    const std::string& at);
    void checkIndexGaps(const Plist::Dictionary& dict, const std::string& file, const std::string& at);
    void checkGrid(const Plist::Dictionary& dict, const std::string& file, const std::string& at);
    void checkAtlasFrames(const Plist::Dictionary& dict, const std::string& file);
    void checkEnemyDrops(const Plist::Dictionary& dict, const std::string& file);
    void checkReference(const std::string& key, const std::string& name, const std::string& file,
                        const std::string& at, const std::string& parentPath);
    void report(const std::string& file, const std::string& key, const std::string& message);
    // The cells of the atlas a stage names under `atlasKey` (the smallest over all stages), 0 when
    // no stage names one.
    int stageAtlasCells(const std::string& atlasKey);

    const KeyLedger& ledger;
    std::vector<Finding> findings;
    std::map<std::string, int> atlasCells;
};
