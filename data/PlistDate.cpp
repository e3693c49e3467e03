#include "data/PlistDate.h"

#include <cstdio>
#include <ctime>
#include <stdexcept>

namespace {

constexpr int64_t kSecondsPerDay = 86400;

struct CivilDate {
    int64_t year;
    int month;
    int day;
};

bool isLeapYear(int64_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int64_t year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && isLeapYear(year)) {
        return 29;
    }
    return kDays[month - 1];
}

// Days since 1970-01-01 of a date in the proleptic Gregorian calendar.
int64_t daysFromCivil(int64_t year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t shiftedMonth = month > 2 ? month - 3 : month + 9;
    const int64_t dayOfYear = (153 * shiftedMonth + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

CivilDate civilFromDays(int64_t days) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    const int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return CivilDate{year, month, day};
}

int64_t floorDivide(int64_t value, int64_t divisor) {
    int64_t quotient = value / divisor;
    if (value % divisor != 0 && value < 0) {
        --quotient;
    }
    return quotient;
}

}  // namespace

PlistDate::PlistDate() : seconds(static_cast<int64_t>(std::time(nullptr))) {}

PlistDate::PlistDate(int64_t secondsSince1970) : seconds(secondsSince1970) {}

void PlistDate::set(int month, int day, int year, int hour, int minute, int second, bool utc) {
    // A second of 60 is a leap second; it counts as the first second of the next minute.
    const bool valid = year >= 0 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
                       day <= daysInMonth(year, month) && hour >= 0 && hour <= 23 && minute >= 0 &&
                       minute <= 59 && second >= 0 && second <= 60;
    if (!valid) {
        throw std::runtime_error("PlistDate::set() date invalid");
    }
    if (utc) {
        seconds = daysFromCivil(year, month, day) * kSecondsPerDay + hour * 3600 + minute * 60 + second;
        return;
    }
    std::tm fields{};
    fields.tm_sec = second;
    fields.tm_min = minute;
    fields.tm_hour = hour;
    fields.tm_mday = day;
    fields.tm_mon = month - 1;
    fields.tm_year = year - 1900;
    fields.tm_isdst = -1;  // let the library decide whether daylight saving applies on that day
    seconds = static_cast<int64_t>(std::mktime(&fields));
}

std::string PlistDate::isoString() const {
    const int64_t days = floorDivide(seconds, kSecondsPerDay);
    const int64_t secondOfDay = seconds - days * kSecondsPerDay;
    const CivilDate date = civilFromDays(days);
    char text[64];
    std::snprintf(text, sizeof(text), "%04lld-%02d-%02dT%02d:%02d:%02dZ", static_cast<long long>(date.year),
                  date.month, date.day, static_cast<int>(secondOfDay / 3600),
                  static_cast<int>(secondOfDay / 60 % 60), static_cast<int>(secondOfDay % 60));
    return text;
}

int64_t PlistDate::utcYear() const {
    return civilFromDays(floorDivide(seconds, kSecondsPerDay)).year;
}
