#include "tables/model/FieldValueTime.h"

#include "tables/model/LittleEndian.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>

namespace sarw {

namespace {

constexpr std::int64_t kMsPerDay = 86400000;
// Day number of 1970-01-01 when 0001-01-01 is day 1.
constexpr std::int64_t kUnixEpochDay = 719163;

// Proleptic Gregorian calendar, days counted from 1970-01-01.
std::int64_t daysFromCivil(std::int64_t y, std::int64_t m, std::int64_t d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(std::int64_t z, std::int64_t& y, int& m, int& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = yoe + era * 400 + (m <= 2);
}

bool leapYear(std::int64_t y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(std::int64_t y, int m) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && leapYear(y) ? 29 : kDays[m - 1];
}

void appendDigits(std::string& out, std::int64_t v, int width) {
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, v < 0 ? -v : v);
    if (v < 0) out += '-';
    for (int pad = width - static_cast<int>(r.ptr - buf); pad > 0; --pad) out += '0';
    out.append(buf, r.ptr);
}

// yyyymmdd; years outside 0..9999 get more digits or a sign, so every day number has a text.
std::string formatDayNumber(std::int64_t dayNumber) {
    std::int64_t y;
    int m, d;
    civilFromDays(dayNumber - kUnixEpochDay, y, m, d);
    std::string out;
    appendDigits(out, y, 4);
    appendDigits(out, m, 2);
    appendDigits(out, d, 2);
    return out;
}

bool allDigits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

bool parseUnsignedDigits(std::string_view s, std::int64_t& v) {
    if (!allDigits(s) || s.size() > 15) return false;
    v = 0;
    for (char c : s) v = v * 10 + (c - '0');
    return true;
}

bool parseDayNumber(std::string_view s, std::int64_t& dayNumber) {
    bool neg = !s.empty() && s[0] == '-';
    if (neg) s.remove_prefix(1);
    if (s.size() < 8) return false;
    std::int64_t y, m, d;
    if (!parseUnsignedDigits(s.substr(0, s.size() - 4), y) ||
        !parseUnsignedDigits(s.substr(s.size() - 4, 2), m) ||
        !parseUnsignedDigits(s.substr(s.size() - 2), d))
        return false;
    if (neg) y = -y;
    if (y > 6000000 || y < -6000000 || m < 1 || m > 12 || d < 1 ||
        d > daysInMonth(y, static_cast<int>(m)))
        return false;
    dayNumber = daysFromCivil(y, m, d) + kUnixEpochDay;
    return true;
}

// hh:nn: and five digits of milliseconds within the minute.
std::string formatMsOfDay(std::int64_t ms) {
    std::string out;
    if (ms < 0) {
        out += '-';
        ms = -ms;
    }
    appendDigits(out, ms / 3600000, 2);
    out += ':';
    appendDigits(out, ms / 60000 % 60, 2);
    out += ':';
    appendDigits(out, ms % 60000, 5);
    return out;
}

bool parseMsOfDay(std::string_view s, std::int64_t& ms) {
    bool neg = !s.empty() && s[0] == '-';
    if (neg) s.remove_prefix(1);
    auto c1 = s.find(':');
    if (c1 == std::string_view::npos || s.size() < c1 + 4 || s[c1 + 3] != ':') return false;
    std::int64_t h, n, x;
    if (!parseUnsignedDigits(s.substr(0, c1), h) || !parseUnsignedDigits(s.substr(c1 + 1, 2), n) ||
        !parseUnsignedDigits(s.substr(c1 + 4), x) || n > 59 || x > 59999 || h > 1000000)
        return false;
    ms = h * 3600000 + n * 60000 + x;
    if (neg) ms = -ms;
    return true;
}

std::string formatTimestamp(std::int64_t days, std::int64_t msOfDay) {
    std::string out = formatDayNumber(days);
    if (msOfDay != 0) out += 'T' + formatMsOfDay(msOfDay);
    return out;
}

bool parseTimestamp(std::string_view s, std::int64_t& days, std::int64_t& msOfDay) {
    msOfDay = 0;
    auto t = s.find('T');
    if (t != std::string_view::npos) {
        if (!parseMsOfDay(s.substr(t + 1), msOfDay) || msOfDay < 0 || msOfDay >= kMsPerDay)
            return false;
        s = s.substr(0, t);
    }
    return parseDayNumber(s, days);
}

std::string formatDateTime(double v) {
    // Beyond 2^62 ms no calendar date is meant; such bytes have no text.
    if (!std::isfinite(v) || std::fabs(v) > 4.6e18) return {};
    auto ms = static_cast<std::int64_t>(std::llround(v));
    std::int64_t days = ms / kMsPerDay, rest = ms % kMsPerDay;
    if (rest < 0) {
        rest += kMsPerDay;
        --days;
    }
    return formatTimestamp(days, rest);
}

// SQL timestamp: i16 year, u16 month, day, hour, minute, second, u32 milliseconds; the offset
// variant adds i16 hours and minutes of the time zone.
struct SqlStamp {
    std::int64_t days = 0, ms = 0;
};

SqlStamp readSqlStamp(std::string_view raw) {
    auto word = [&](std::size_t at) { return readLE(raw.substr(std::min(at, raw.size()), 2)); };
    std::int64_t y = readSignedLE(raw.substr(0, std::min<std::size_t>(2, raw.size())));
    std::int64_t m = static_cast<std::int64_t>(word(2));
    // Out-of-range parts are carried over, so any stored bytes give a valid text.
    y += (m - 1) / 12;
    m = (m - 1) % 12 + 1;
    if (m < 1) m = 1;
    SqlStamp st;
    st.days = daysFromCivil(y, m, 1) + kUnixEpochDay + static_cast<std::int64_t>(word(4)) - 1;
    std::int64_t ms =
        static_cast<std::int64_t>(word(6)) * 3600000 + static_cast<std::int64_t>(word(8)) * 60000 +
        static_cast<std::int64_t>(word(10)) * 1000 +
        static_cast<std::int64_t>(readLE(raw.substr(std::min<std::size_t>(12, raw.size()), 4)));
    st.days += ms / kMsPerDay;
    st.ms = ms % kMsPerDay;
    return st;
}

bool writeSqlStamp(std::int64_t days, std::int64_t ms, std::string& raw) {
    std::int64_t y;
    int m, d;
    civilFromDays(days - kUnixEpochDay, y, m, d);
    if (y < -32768 || y > 32767) return false;
    appendLE(raw, static_cast<std::uint64_t>(y), 2);
    appendLE(raw, static_cast<std::uint64_t>(m), 2);
    appendLE(raw, static_cast<std::uint64_t>(d), 2);
    appendLE(raw, static_cast<std::uint64_t>(ms / 3600000), 2);
    appendLE(raw, static_cast<std::uint64_t>(ms / 60000 % 60), 2);
    appendLE(raw, static_cast<std::uint64_t>(ms / 1000 % 60), 2);
    appendLE(raw, static_cast<std::uint64_t>(ms % 1000), 4);
    return true;
}

std::string formatSqlOffset(std::string_view raw) {
    SqlStamp st = readSqlStamp(raw.substr(0, std::min<std::size_t>(16, raw.size())));
    std::string out = formatTimestamp(st.days, st.ms);
    std::int64_t h = readSignedLE(raw.substr(std::min<std::size_t>(16, raw.size()), 2));
    std::int64_t n = readSignedLE(raw.substr(std::min<std::size_t>(18, raw.size()), 2));
    out += h < 0 || (h == 0 && n < 0) ? '-' : '+';
    appendDigits(out, h < 0 ? -h : h, 2);
    out += ':';
    appendDigits(out, n < 0 ? -n : n, 2);
    return out;
}

bool parseSqlOffset(std::string_view s, std::string& raw) {
    auto sign = s.find_last_of("+-");
    if (sign == std::string_view::npos || sign == 0 || s.size() != sign + 6 || s[sign + 3] != ':')
        return false;
    std::int64_t days, ms, h, n;
    if (!parseTimestamp(s.substr(0, sign), days, ms) ||
        !parseUnsignedDigits(s.substr(sign + 1, 2), h) ||
        !parseUnsignedDigits(s.substr(sign + 4, 2), n) || !writeSqlStamp(days, ms, raw))
        return false;
    const std::int64_t k = s[sign] == '-' ? -1 : 1;
    appendLE(raw, static_cast<std::uint64_t>(k * h), 2);
    appendLE(raw, static_cast<std::uint64_t>(k * n), 2);
    return true;
}

} // namespace

bool parseTimeValue(const FieldInfo& f, std::string_view text, std::string& raw) {
    std::int64_t days, ms;
    switch (f.kind) {
    case FieldKind::Date:
        if (!parseDayNumber(text, days) || days < INT32_MIN || days > INT32_MAX) return false;
        appendLE(raw, static_cast<std::uint64_t>(days), 4);
        return true;
    case FieldKind::Time:
        if (!parseMsOfDay(text, ms) || ms < INT32_MIN || ms > INT32_MAX) return false;
        appendLE(raw, static_cast<std::uint64_t>(ms), 4);
        return true;
    case FieldKind::DateTime:
        if (!parseTimestamp(text, days, ms)) return false;
        appendPod(raw, static_cast<double>(days * kMsPerDay + ms));
        return true;
    case FieldKind::SqlDateTime:
        return parseTimestamp(text, days, ms) && writeSqlStamp(days, ms, raw);
    case FieldKind::SqlDateTimeOffset:
        return parseSqlOffset(text, raw);
    default:
        return false;
    }
}

std::string formatTimeValue(const FieldInfo& field, std::string_view raw) {
    switch (field.kind) {
    case FieldKind::Date:
        return formatDayNumber(readSignedLE(raw.substr(0, 4)));
    case FieldKind::Time:
        return formatMsOfDay(readSignedLE(raw.substr(0, 4)));
    case FieldKind::DateTime:
        return formatDateTime(readPod<double>(raw));
    case FieldKind::SqlDateTime: {
        SqlStamp st = readSqlStamp(raw);
        return formatTimestamp(st.days, st.ms);
    }
    case FieldKind::SqlDateTimeOffset:
        return formatSqlOffset(raw);
    default:
        return {};
    }
}

} // namespace sarw
