#pragma once
// A property-list date: whole seconds since 1970-01-01 00:00:00 UTC.

#include <cstdint>
#include <string>

class PlistDate {
  public:
    // A default-constructed date holds the current time.
    PlistDate();
    explicit PlistDate(int64_t secondsSince1970);

    // Builds the date from calendar fields. With utc the fields are read as UTC, otherwise as the
    // local time of this machine. Fields outside their calendar range (month 13, 30 February,
    // hour 24, a year outside 0 to 9999) throw std::runtime_error "PlistDate::set() date invalid".
    void set(int month, int day, int year, int hour, int minute, int second, bool utc);

    int64_t secondsSince1970() const { return seconds; }
    void setSecondsSince1970(int64_t value) { seconds = value; }

    // "YYYY-MM-DDTHH:MM:SSZ" in UTC, the form XML property lists use.
    std::string isoString() const;
    // The UTC calendar year of the date (may lie outside 0 to 9999).
    int64_t utcYear() const;

    bool operator==(const PlistDate& other) const { return seconds == other.seconds; }
    bool operator!=(const PlistDate& other) const { return seconds != other.seconds; }

  private:
    int64_t seconds;
};
