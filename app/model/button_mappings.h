#pragma once
// CButtonMappings: which device key does what on each screen. Six fixed profiles of entries
// (an action and the key bound to it, 0 for none), one per screen kind, and the current one,
// which the active screen selects. Stored under "Software\Zunworks\Zun Time\Mappings" as one
// binary value per profile ("0" ... "5"): 4-byte records of the action and the key as
// little-endian 16-bit numbers, 0xFFFF standing for "no action".
//
// A key is bound to at most one action of a profile. Reading is forgiving: a missing value
// leaves the profile unbound, pairs naming an action the profile does not have are skipped, and
// a trailing odd byte ends the value.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zt::app {

inline constexpr int kNoMappedAction = -1;

enum class MappedAction : int {
    NewAlarm = 0,
    StartStopTimer = 1,
    LapReset = 2,
    SaveLaps = 3,
    ToggleFullScreen = 4,
    ShowHideCalendar = 5,
    ShowHideAlarms = 6,
};

struct MappingEntry {
    int action { kNoMappedAction };
    uint32_t key { 0 };
    bool operator==(const MappingEntry&) const = default;
};

class CButtonMappings {
public:
    static constexpr size_t kProfileCount = 6;
    // The application buttons the main program captures from the shell while it is in front.
    static constexpr uint32_t kFirstAppButton = 193;
    static constexpr uint32_t kLastAppButton = 207;

    // The process's set, made on first use with every key unbound.
    static CButtonMappings& instance();
    CButtonMappings();

    size_t current_profile() const { return m_current; }
    // The profile of a screen (0 ... 5): its own number, except the stopwatch (3), which shares
    // the time counters' profile 4. A number beyond the profiles keeps the current one.
    void select_for_screen(uint32_t screen);
    void select_profile(size_t profile);
    const std::vector<MappingEntry>& entries(size_t profile) const { return m_profiles.at(profile); }

    // The action bound to the key in the current profile, or kNoMappedAction.
    int action_for_key(uint32_t key) const;
    bool is_key_mapped(uint32_t key) const { return action_for_key(key) != kNoMappedAction; }
    // Binds the key to entry `row` of the current profile; a key already bound to another
    // action of the profile falls back to none (0). Returns the key the entry now has.
    uint32_t bind(size_t row, uint32_t key);

    void load();
    void save() const;
    // One profile's stored form, and reading it into the profile (forgiving, as above).
    std::vector<uint8_t> encode(size_t profile) const;
    void decode(size_t profile, std::span<const uint8_t> bytes);

private:
    std::array<std::vector<MappingEntry>, kProfileCount> m_profiles;
    size_t m_current { 0 };
};

// "New Alarm", "Start/Stop Timer", ... as the text table translates them; empty for others.
std::u16string mapped_action_name(int action);
// "" for 0, "Action", "Left", "Up", "Right", "Down", "Button n" for 193-207, else "Key Code n".
std::u16string mapped_key_name(uint32_t key);

}  // namespace zt::app
