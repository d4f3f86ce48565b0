#pragma once
// Where the device's sound goes, chosen by ZT_AUDIO when a process first plays:
//   "default" (or unset)  the user's sound server through Qt Multimedia; without a sound
//                         server it falls back to "null" and says so once on stderr
//   "null"                silent; every play still takes the sound's real duration
//   "log:PATH"            silent like "null", and one line appended to PATH per event:
//                           play <device path of the sound> volume=0x<8 hex digits>
//                         when a play starts (the wave-out volume, or the media volume 0..100),
//                           stop
//                         when a playing sound is stopped before its end
// Anything else is refused with a message on stderr and taken as "null", so a typing error
// never makes a device sound off unexpectedly or crash.
#include <filesystem>
#include <optional>
#include <string_view>

namespace zt::platform::audio {

enum class OutputKind { Default, Null, Log };

struct OutputChoice {
    OutputKind kind { OutputKind::Default };
    std::filesystem::path log_path;  // OutputKind::Log only
};

// nullopt for a text that names no output.
std::optional<OutputChoice> parse_output_choice(std::string_view text);

// The output in effect (read from ZT_AUDIO on first use, with the sound-server fall-back
// already applied: never Default when nothing can sound).
OutputChoice current_output();

// Replaces the choice for this process (tests, hosts with a --audio option). Plays already
// under way finish on the output they started with.
void select_output(const OutputChoice& choice);

// Appends one line to the log output; does nothing on other outputs. Safe from any thread
// and any process (one append per line).
void log_event(std::string_view line);

}  // namespace zt::platform::audio
