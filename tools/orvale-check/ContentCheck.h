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

// What the loaders read, by kind of list and by key: the kinds of value each read takes and the
// ranges counts and sizes are held to. A kind of list is the lists one loader opens (the place in
// the program that opened them, and the folder and first word of the file's name, so that a
// loader shared by bullets and patterns still tells them apart), and each nested dictionary of
// such a list under a key (numbered keys "launcher 0", "launcher 1" ... are one kind). Reads are
// told apart by the dictionary they are made on; a read on a dictionary that came from no list
// (made by the program, or copied) counts for no kind, only for the keys known at all.
class KeyLedger : public Plist::ReadLedger {
  public:
    struct Use {
        unsigned kinds = 0;  // one bit per Plist::ReadKind
        std::vector<std::pair<double, double>> ranges;
    };
    using Kinds = std::set<int>;

    void noteList(const std::string& path, const Plist::Dictionary& root, const void* openedAt) override;
    void noteRead(const Plist::Dictionary& dict, const std::string& key, Plist::ReadKind kind) override;
    void noteRange(const Plist::Dictionary& dict, const std::string& key, double low, double high) override;
    void noteNames(const Plist::Dictionary& dict) override;
    void noteMissingList(const std::string& path) override { missing.insert(path); }

    // The lists a loader asked for that the package lacks.
    const std::set<std::string>& missingLists() const { return missing; }

    // Read anywhere, in any kind of list.
    bool knows(const std::string& key) const { return everywhere.count(key) != 0; }
    // The kinds a file's top dictionary is of: those it was opened as, else those of the lists
    // named like it; empty when the loaders opened nothing like it.
    Kinds kindsOfFile(const std::string& path) const;
    // The kinds whose loaders read every key of `dict`: a list made to serve as one of those too
    // (an atlas that is also a whole sprite list) is taken as one.
    Kinds kindsReadingAll(const Plist::Dictionary& dict) const;
    // The kinds of the dictionaries under `key` in a dictionary of `kinds`.
    Kinds kindsUnder(const Kinds& kinds, const std::string& key) const;
    // True when some loader read a dictionary of one of `kinds` (otherwise nothing is known of it).
    bool anyRead(const Kinds& kinds) const;
    // True when the loader of one of `kinds` takes its keys as names of the content's choosing.
    bool takesNames(const Kinds& kinds) const;
    // True when a loader reads `family 0`, `family 1` ... as keys of its own (not as names).
    bool readsIndexed(const Kinds& kinds, const std::string& family) const;
    // What the loaders of `kinds` read under `key` (all their reads merged), false when none reads it.
    bool use(const Kinds& kinds, const std::string& key, Use& out) const;
    // A list in which some other kind's loader reads `key`, empty when none does.
    std::string readElsewhere(const std::string& key) const;
    // The known key nearest to `key` in edits, or empty when none is near enough to be a typo.
    std::string nearest(const std::string& key) const;
    // The kinds of list some loader read, and the keys they read, summed over the kinds.
    size_t kindCount() const;
    size_t keyCount() const;

  private:
    struct Kind {
        std::map<std::string, Use> uses;
        std::map<std::string, int> under;  // key ("launcher #", or "*" for names) -> kind
        bool named = false;                // its keys are names of the content's choosing
        bool read = false;
        std::string example;  // a list of this kind, for messages
    };
    // What the ledger remembers of a dictionary it was shown: its kind, and enough to tell it from
    // a dictionary made later in the same memory.
    struct Tag {
        int kind;
        size_t size;
        std::string firstKey;
    };

    int kindAt(const Plist::Dictionary& dict) const;
    int child(int parent, const std::string& key, const std::string& example);
    void tag(const Plist::Dictionary& dict, int kind, const std::string& example);
    void tagValue(const Plist::Value& value, int parent, const std::string& key, const std::string& example);
    static void merge(Use& into, const Use& from);

    std::vector<Kind> kinds;
    std::map<std::pair<const void*, std::string>, int> listKinds;  // (opened at, name group) -> kind
    std::map<std::string, Kinds> fileKinds;                        // path -> kinds
    std::map<std::string, Kinds> groupKinds;                       // name group -> kinds
    std::map<const void*, Tag> tags;
    std::map<std::string, Use> everywhere;
    std::set<std::string> missing;
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
    void checkDict(const Plist::Dictionary& dict, const KeyLedger::Kinds& kinds, const std::string& file,
                   const std::string& at);
    void checkValue(const std::string& key, const Plist::Value& value, const KeyLedger::Kinds& kinds,
                    const std::string& file, const std::string& at);
    void checkIndexGaps(const Plist::Dictionary& dict, const KeyLedger::Kinds& kinds, const std::string& file,
                        const std::string& at);
    void checkGrid(const Plist::Dictionary& dict, const std::string& file, const std::string& at);
    void checkGridPresent(const Plist::Dictionary& dict, const KeyLedger::Kinds& opened,
                          const std::string& file);
    void checkHitPoints(const Plist::Dictionary& dict, const KeyLedger::Kinds& kinds,
                        const std::string& file);
    void checkNodesAndLayers(const Plist::Dictionary& dict, const KeyLedger::Kinds& kinds,
                             const std::string& file);
    void checkIndexLists(const Plist::Dictionary& top, const Plist::Dictionary& dict, const std::string& file,
                         const std::string& at);
    void checkScript(const Plist::Dictionary& dict, const std::string& file);
    void checkHeldTimes(const Plist::Dictionary& dict, const std::string& file, const std::string& at);
    void checkShipOptions(const Plist::Dictionary& dict, const KeyLedger::Kinds& kinds,
                          const std::string& file);
    void checkSpawnCount(const Plist::Dictionary& dict, const std::string& file);
    void checkMissingLists();
    void checkAtlasFrames(const Plist::Dictionary& dict, const std::string& file);
    void checkEnemyDrops(const Plist::Dictionary& dict, const std::string& file);
    void checkReference(const std::string& key, const std::string& name, const std::string& file,
                        const std::string& at, const std::string& parentPath);
    void report(const std::string& file, const std::string& key, const std::string& message);
    // The cells of the atlas a stage names under `atlasKey`, the largest over all stages (the
    // stages' atlases differ in size: a frame past the largest is shown by none), 0 when no stage
    // names one.
    int stageAtlasCells(const std::string& atlasKey);

    const KeyLedger& ledger;
    std::vector<Finding> findings;
    std::map<std::string, int> atlasCells;
    KeyLedger::Kinds fileKinds;  // the kinds of the top dictionary of the file being checked
};
