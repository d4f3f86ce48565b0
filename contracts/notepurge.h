#pragma once
// What the installer hook counts on when it starts the notification clean-up program.
namespace zt::contracts {

inline constexpr char16_t kNotepurgePath[] = u"\\Windows\\Notepurge.exe";
// Exactly this command line (case matters) keeps the program silent.
inline constexpr char16_t kNotepurgeSilentCommand[] = u"NoMsg";

}  // namespace zt::contracts
