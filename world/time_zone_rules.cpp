#include "world/time_zone_rules.h"

#include "platform/base/le_bytes.h"

namespace zt::world {
namespace {

namespace le = zt::platform;
using zt::platform::SYSTEMTIME;

class Cursor {
public:
    explicit Cursor(const uint8_t* p) : m_p(p) {}
    uint16_t u16() { auto v = le::read_le16(m_p); m_p += 2; return v; }
    int32_t s32() { auto v = static_cast<int32_t>(le::read_le32(m_p)); m_p += 4; return v; }
    void name(std::array<char16_t, 32>& out) { for (auto& unit : out) unit = u16(); }
    SYSTEMTIME date() {
        SYSTEMTIME t;
        t.wYear = u16(); t.wMonth = u16(); t.wDayOfWeek = u16(); t.wDay = u16();
        t.wHour = u16(); t.wMinute = u16(); t.wSecond = u16(); t.wMilliseconds = u16();
        return t;
    }
private:
    const uint8_t* m_p;
};

class Writer {
public:
    explicit Writer(uint8_t* p) : m_p(p) {}
    void u16(uint16_t v) { le::write_le16(m_p, v); m_p += 2; }
    void s32(int32_t v) { le::write_le32(m_p, static_cast<uint32_t>(v)); m_p += 4; }
    void name(const std::array<char16_t, 32>& text) { for (auto unit : text) u16(unit); }
    void date(const SYSTEMTIME& t) {
        for (uint16_t v : { t.wYear, t.wMonth, t.wDayOfWeek, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds }) u16(v);
    }
private:
    uint8_t* m_p;
};

}  // namespace

TimeZoneRules decode_time_zone_rules(std::span<const uint8_t, kTimeZoneRulesSize> bytes) {
    Cursor in(bytes.data());
    TimeZoneRules r;
    r.bias = in.s32();
    in.name(r.standard_name);
    r.standard_date = in.date();
    r.standard_bias = in.s32();
    in.name(r.daylight_name);
    r.daylight_date = in.date();
    r.daylight_bias = in.s32();
    return r;
}

TimeZoneRulesBytes encode_time_zone_rules(const TimeZoneRules& r) {
    TimeZoneRulesBytes out {};
    Writer w(out.data());
    w.s32(r.bias);
    w.name(r.standard_name);
    w.date(r.standard_date);
    w.s32(r.standard_bias);
    w.name(r.daylight_name);
    w.date(r.daylight_date);
    w.s32(r.daylight_bias);
    return out;
}

}  // namespace zt::world
