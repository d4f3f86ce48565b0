#pragma once
// What happens when a record comes due. CSoundAction (type 0) is the only action there is;
// the abstract CAction keeps the door open the way the records' format does ("actp").
#include <cstdint>
#include <memory>
#include <string>

#include "core/value_map.h"

namespace zt::core {

class CAction {
public:
    explicit CAction(int32_t type) : m_type(type) {}
    virtual ~CAction() = default;
    CAction(const CAction&) = delete;
    CAction& operator=(const CAction&) = delete;

    int32_t type() const { return m_type; }
    virtual void copy_to(CAction& target) const = 0;
    virtual bool ready() const = 0;
    virtual bool load(const CValueMap& map) = 0;
    virtual bool save(CValueMap& map) const = 0;
    virtual const std::u16string& sound_file() const = 0;
    virtual void set_sound_file(std::u16string file) = 0;

private:
    int32_t m_type;
};

class CSoundAction final : public CAction {
public:
    static constexpr int32_t kType = 0;
    enum RepeatMode : uint32_t { kRepeatCount = 0, kRepeatForTime = 1 };
    enum VolumeMode : uint32_t { kVolumeNormal = 0, kVolumeMaximum = 1, kVolumeAscending = 2 };

    CSoundAction() : CAction(kType) {}

    void copy_to(CAction& target) const override;
    bool ready() const override { return true; }
    // Reads "acstr" (required), "acrtp"/"acrvl" with their repairs, else the older "acrp";
    // "acvb" and "acv" (missing volume reads as maximum).
    bool load(const CValueMap& map) override;
    bool save(CValueMap& map) const override;
    const std::u16string& sound_file() const override { return m_sound_file; }
    void set_sound_file(std::u16string file) override { m_sound_file = std::move(file); }

    uint32_t repeat_mode { kRepeatForTime };
    uint32_t repeat_value { 60 };
    uint32_t volume_mode { kVolumeAscending };
    bool vibrate { false };

private:
    std::u16string m_sound_file;
};

// Type 0 gives a new CSoundAction with its defaults; any other type gives none.
std::unique_ptr<CAction> create_action(int32_t type);

}  // namespace zt::core
