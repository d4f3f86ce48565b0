#include "notepurge/notepurge_run.h"

#include <string>

#include "contracts/notepurge.h"
#include "notepurge/stale_notification_purge.h"
#include "platform/base/text.h"

namespace zt::notepurge {

int run_notepurge(std::u16string_view command_line, uint32_t platform_version, const MessageSink& show) {
    const bool messages = command_line != contracts::kNotepurgeSilentCommand;
    if (platform_version < kMinimumPlatformVersion) {
        if (messages) show(u"Old device");
        return kOldDeviceResult;
    }
    const int deleted = purge_stale_notifications();
    if (messages) {
        show(u"Done! " + zt::platform::to_u16(std::to_string(deleted)) + u" record(s) deleted.");
    }
    return deleted;
}

}  // namespace zt::notepurge
