#pragma once
// The one way a loader reads a property-list value: the key, the field and the default on one line,
//
//     Plist::read(layer, "scroll speed x", scrollX, 0.0f);
//
// and nested containers reached in place, without a copy:
//
//     if (const Plist::Dictionary* entry = Plist::findDict(definition, key)) { ... }
//
// Every number a loader takes from a list goes through the conversions below, and only through
// them: they are the single place where the rules for reals, integers and numbers held as text
// live (the typed accessors of Plist.h use them too). A real that is NaN, infinite or past a
// float's range is refused here, once for every loader: the read form keeps the default and says
// so with a line naming the key. A count or size a pool or atlas must hold is read with its range
// (readWithin), which clamps and says so.
//
// Keys come as C strings or as std::string; a loader in a play-time path (a spawn, a node start)
// passes a prebuilt std::string so the look-up allocates nothing.

#include <string>

#include "data/Plist.h"

namespace Plist {

// ---- The read ledger ----
// A content checker learns which keys each kind of list takes by watching the loaders read: while
// a ledger is installed, every list a loader opens is reported with the place in the program that
// opened it (one loader, one place), and every look-up by key below is reported with the
// dictionary it was made on, the kind of value the read takes, and every range a count or size is
// held to. The ledger tells the lists apart by their dictionaries. The game installs none; the
// cost is one test of a pointer per look-up.

// Name: a key taken as a name of the content's own choosing (noteNamedEntries).
enum class ReadKind { Any, Number, Integer, Flag, Text, Dict, List, Name };

class ReadLedger {
  public:
    virtual ~ReadLedger() = default;
    virtual void noteList(const std::string& path, const Dictionary& root, const void* openedAt) = 0;
    virtual void noteRead(const Dictionary& dict, const std::string& key, ReadKind kind) = 0;
    virtual void noteRange(const Dictionary& dict, const std::string& key, double low, double high) = 0;
    virtual void noteNames(const Dictionary& dict) = 0;
    virtual void noteMissingList(const std::string& path) = 0;
};

// Installs `ledger` (null removes it); returns the one installed before.
ReadLedger* setReadLedger(ReadLedger* ledger);

// The asset loaders say which list they opened, and from where (the loader's own code address).
void noteOpenedList(const std::string& path, const Dictionary& root, const void* openedAt);

// A loader asked for a list the package lacks (it goes on without it).
void noteMissingList(const std::string& path);

// A loader that takes a dictionary's keys as names of its own choosing (waves, squads) says so,
// so that those names count as read.
void noteNamedEntries(const Dictionary& dict);

// ---- The conversion rules ----
// Each returns true when the value holds an accepted type and sets `out`; otherwise `out` is left.

// float: float, double, any integer type, or text read by its integer part ("2.5" is 2). A real
// that is NaN, infinite or beyond a float's range is not accepted.
bool toFloat(const Value& value, float& out);
// int: any integer type, its low 32 bits. A real is not accepted.
bool toInt(const Value& value, int& out);
// bool: a boolean only; an integer 0 or 1 is not accepted.
bool toBool(const Value& value, bool& out);

// ---- Finding a value in place ----
// Null when the key is absent or holds another type. The pointers live as long as the dictionary.

const Value* findValue(const Dictionary& dict, const std::string& key);
const Value* findValue(const Dictionary& dict, const char* key);
const Dictionary* findDict(const Dictionary& dict, const std::string& key);
const Dictionary* findDict(const Dictionary& dict, const char* key);
const Array* findArray(const Dictionary& dict, const std::string& key);
const Array* findArray(const Dictionary& dict, const char* key);
const std::string* findString(const Dictionary& dict, const std::string& key);
const std::string* findString(const Dictionary& dict, const char* key);
// An element (of an array) as a dictionary or as text, in place; null when it is something else.
const Dictionary* asDict(const Value& value);
const std::string* asString(const Value& value);

// ---- The read form ----
// `field` takes the value under `key` when present and of an accepted type, else `fallback`.
// Returns true when the value came from the list.

bool read(const Dictionary& dict, const std::string& key, float& field, float fallback);
bool read(const Dictionary& dict, const char* key, float& field, float fallback);
bool read(const Dictionary& dict, const std::string& key, int& field, int fallback);
bool read(const Dictionary& dict, const char* key, int& field, int fallback);
bool read(const Dictionary& dict, const std::string& key, bool& field, bool fallback);
bool read(const Dictionary& dict, const char* key, bool& field, bool fallback);
bool read(const Dictionary& dict, const char* key, std::string& field, const char* fallback = "");

// The read form for a count or size: as read(), then clamped into [low, high] with a line naming
// the key when the list's value lies outside.
bool readWithin(const Dictionary& dict, const std::string& key, float& field, float fallback, float low,
                float high);
bool readWithin(const Dictionary& dict, const char* key, float& field, float fallback, float low, float high);
bool readWithin(const Dictionary& dict, const std::string& key, int& field, int fallback, int low, int high);
bool readWithin(const Dictionary& dict, const char* key, int& field, int fallback, int low, int high);

// The text under `key`, or an empty string that lives as long as the program; no copy.
const std::string& textOf(const Dictionary& dict, const std::string& key);
const std::string& textOf(const Dictionary& dict, const char* key);

// The value under `key` or `fallback`, for a loader that passes it straight on.
float floatOr(const Dictionary& dict, const std::string& key, float fallback);
float floatOr(const Dictionary& dict, const char* key, float fallback);
int intOr(const Dictionary& dict, const std::string& key, int fallback);
int intOr(const Dictionary& dict, const char* key, int fallback);
bool boolOr(const Dictionary& dict, const std::string& key, bool fallback);
bool boolOr(const Dictionary& dict, const char* key, bool fallback);

}  // namespace Plist
