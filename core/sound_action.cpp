#include "core/sound_action.h"

namespace zt::core {

void CSoundAction::copy_to(CAction& target) const {
    if (target.type() != kType) return;
    auto& sound = static_cast<CSoundAction&>(target);
    sound.m_sound_file = m_sound_file;
    sound.repeat_mode = repeat_mode;
    sound.repeat_value = repeat_value;
    sound.volume_mode = volume_mode;
    sound.vibrate = vibrate;
}

bool CSoundAction::load(const CValueMap& map) {
    const std::u16string* file = map.text(u"acstr");
    if (!file) return false;
    m_sound_file = *file;

    std::optional<uint32_t> mode = map.number(u"acrtp");
    std::optional<uint32_t> value = mode ? map.number(u"acrvl") : std::nullopt;
    if (mode && value) {
        repeat_mode = *mode;
        repeat_value = *value;
        if (repeat_mode > kRepeatForTime) {
            repeat_mode = kRepeatForTime;
            repeat_value = 60;
        } else if (repeat_value == 0) {
            repeat_value = repeat_mode == kRepeatForTime ? 60 : 20;
        }
    } else if (map.boolean(u"acrp").value_or(false)) {
        // Records of older versions only said "repeat or not".
        repeat_mode = kRepeatForTime;
        repeat_value = 60;
    } else {
        repeat_mode = kRepeatCount;
        repeat_value = 1;
    }
    vibrate = map.boolean(u"acvb").value_or(false);
    volume_mode = map.number(u"acv").value_or(kVolumeMaximum);
    return true;
}

bool CSoundAction::save(CValueMap& map) const {
    map.put_text(u"acstr", m_sound_file);
    map.put_number(u"acrtp", repeat_mode);
    map.put_number(u"acrvl", repeat_value);
    map.put_number(u"acv", volume_mode);
    map.put_bool(u"acvb", vibrate);
    return true;
}

std::unique_ptr<CAction> create_action(int32_t type) {
    if (type != CSoundAction::kType) return nullptr;
    return std::make_unique<CSoundAction>();
}

}  // namespace zt::core
