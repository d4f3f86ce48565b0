#include "platform/audio/audio_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

#include "platform/audio/sound_server.h"

namespace zt::platform::audio {
namespace {

std::mutex g_mutex;
std::optional<OutputChoice> g_choice;

OutputChoice with_fallback(OutputChoice choice) {
    if (choice.kind == OutputKind::Default && !sound_server_available()) {
        std::fprintf(stderr, "zt audio: no sound server; sounds are silent (ZT_AUDIO=null)\n");
        choice.kind = OutputKind::Null;
    }
    return choice;
}

OutputChoice choice_from_environment() {
    const char* text = std::getenv("ZT_AUDIO");
    if (text == nullptr || *text == '\0') return with_fallback({});
    if (auto choice = parse_output_choice(text)) return with_fallback(*choice);
    std::fprintf(stderr, "zt audio: ZT_AUDIO=\"%s\" names no output (default, null, log:PATH); "
                         "sounds are silent\n", text);
    return { OutputKind::Null, {} };
}

}  // namespace

std::optional<OutputChoice> parse_output_choice(std::string_view text) {
    if (text == "default") return OutputChoice { OutputKind::Default, {} };
    if (text == "null") return OutputChoice { OutputKind::Null, {} };
    constexpr std::string_view kLog = "log:";
    if (text.starts_with(kLog) && text.size() > kLog.size())
        return OutputChoice { OutputKind::Log, std::filesystem::path(text.substr(kLog.size())) };
    return std::nullopt;
}

OutputChoice current_output() {
    std::lock_guard lock(g_mutex);
    if (!g_choice) g_choice = choice_from_environment();
    return *g_choice;
}

void select_output(const OutputChoice& choice) {
    OutputChoice effective = with_fallback(choice);
    std::lock_guard lock(g_mutex);
    g_choice = std::move(effective);
}

void log_event(std::string_view line) {
    const OutputChoice choice = current_output();
    if (choice.kind != OutputKind::Log) return;
    const int fd = ::open(choice.log_path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) return;  // an unwritable log never stops the sound itself
    std::string text(line);
    text.push_back('\n');
    // O_APPEND makes the one write land whole at the end, even with other writers.
    const ssize_t written = ::write(fd, text.data(), text.size());
    (void)written;
    ::close(fd);
}

}  // namespace zt::platform::audio
