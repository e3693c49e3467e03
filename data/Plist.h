#pragma once
// Property lists: the value model every content loader works on, the readers for binary
// ("bplist00") and XML property lists, the binary and XML writers, and the typed accessors
// through which loaders read their keys.
//
// Readers throw std::runtime_error with a message on malformed input. A root of the wrong kind
// (an array where a dictionary is required, or the reverse) throws boost::bad_any_cast, the same
// cast error a strict boost::any_cast on a value raises.

#include <boost/any.hpp>
#include <cstdint>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

#include "data/PlistDate.h"

namespace Plist {

// A value holds exactly one of: Dictionary, Array, std::string, int64_t, double, bool, PlistDate,
// Data. Code that builds values for the writers may also store int, long long, short and float.
using Value = boost::any;
// Keys ordered bytewise; a duplicate key in a file replaces the earlier value.
using Dictionary = std::map<std::string, Value>;
using Array = std::vector<Value>;
using Data = std::vector<char>;

// Containers nested deeper than this are rejected by the readers and the writers.
constexpr int kMaxNestingDepth = 512;

// ---- Readers ----

// Binary when the data starts with "bplist00", XML otherwise. The root must be a dictionary; it
// replaces the previous contents of `out`.
void parse(const char* data, int64_t size, Dictionary& out);
// As parse, with an array root.
void parseArray(const char* data, int64_t size, Array& out);
// As parse, with a root of any type.
void parseValue(const char* data, int64_t size, Value& out);

// Reads a whole file from the asset package and parses it. A file that is not in the package is
// not an error: `out` is left as it was and false is returned.
bool loadAsset(const std::string& path, Dictionary& out);
bool loadAssetArray(const std::string& path, Array& out);
// As loadAsset for content loaders, which never stop on a bad file: a
// malformed list is reported on the console with its path and the reader's
// message ("BAD PROPERTY LIST path: message") and reads as empty.
bool loadContent(const std::string& path, Dictionary& out);

// ---- Writers ----

// Writes the tree as a binary property list with one write.
void writeBinary(std::ostream& out, const Value& root);
// Writes the file (truncating it). Returns false when the file could not be opened or written.
bool writeBinaryFile(const std::string& path, const Value& root);
// Writes the tree as an XML property list with the usual declaration and DOCTYPE.
void writeXml(std::ostream& out, const Value& root);

// ---- Typed accessors ----
// Each returns true when the key is present and holds an accepted type. On false the scalar
// accessors set `out` to 0, false or an empty string; getDict and getArray leave it untouched.

// float; double, integers and int converted; a string converted by its integer part ("2.5" is 2).
bool getFloat(const Dictionary& dict, const char* key, float& out);
// 64-bit integer (its low 32 bits) or int. A real is not accepted.
bool getInt(const Dictionary& dict, const char* key, int& out);
// Boolean only; an integer 0 or 1 is not accepted.
bool getBool(const Dictionary& dict, const char* key, bool& out);
bool getString(const Dictionary& dict, const char* key, std::string& out);
bool getDict(const Dictionary& dict, const char* key, Dictionary& out);
bool getArray(const Dictionary& dict, const char* key, Array& out);

// ---- Value helpers ----

// True when the value holds any integer type the writers accept (int64_t, long long, int, short).
bool integerValue(const Value& value, int64_t& out);
// True when the value holds double or float.
bool realValue(const Value& value, double& out);

}  // namespace Plist
