#pragma once
// The running device: `zt-device run`. Holds the device lock, loads the services, fires the
// user notifications on time and on clock changes, and serves the control channel, until
// SIGTERM or SIGINT.
namespace zt::platform::device {

// Exit code: 0 after a signal ended it, 2 when it could not start (another device runs for
// this root, no runtime folder, no timer).
int run_device();

// The host moment (ms since 1970 on the host's real-time clock) at which the device's local
// clock reads `local`: local device time is the host clock plus the device clock offset, in
// the host's time zone.
long long host_moment_of_local(long long local_file_time);

}  // namespace zt::platform::device
