#pragma once
// How a registration is kept as a record of "DB_notify_events": property 1 is the application
// text (clean-up tools read only that one); 2 type, 3 event, 4 start and 5 end as local file
// times (time triggers only), 6 the arguments. The record id is the handle.
#include <optional>
#include <vector>

#include "platform/dbvol/database_volume.h"
#include "platform/notify/user_notification.h"

namespace zt::platform::notify::detail {

inline constexpr std::u16string_view kDatabaseName = u"DB_notify_events";

// The trigger as it will be stored (times normalised), or nullopt when the platform would
// refuse it: size other than 52, unknown type, an invalid start (or a non-zero invalid end)
// for a time trigger, event 0 for an event trigger, an empty application or event name.
std::optional<Trigger> checked_trigger(const Trigger& trigger);

std::vector<dbvol::Property> to_properties(const Trigger& trigger);
// nullopt for a record that does not describe a valid trigger.
std::optional<Trigger> from_properties(const std::vector<dbvol::Property>& props);

// The event name of a named-event target (after kNamedEventPrefix); nullopt for a program.
std::optional<std::u16string> named_event_of(std::u16string_view application);

}  // namespace zt::platform::notify::detail
