#pragma once
// What the other programs count on when they reach the main program: its anchor window's
// class, the messages that window takes, and the command lines the program understands.
#include <cstdint>

#include "contracts/item_command.h"  // kMsgItemCommand, from Ringout and the Today item

namespace zt::contracts {

inline constexpr char16_t kMainProgramClass[] = u"ZUNTIME{2604481D-3AF8-4FB8-919B-DADFC8A43285}";

inline constexpr uint32_t kMsgEndScreenSaver = 0x0469;  // WM_USER + 105, from the service
inline constexpr uint32_t kMsgBringForward = 0x0498;    // WM_USER + 152, from a second copy
// A second copy hands its command line over with WM_COPYDATA and this data word.
inline constexpr uint32_t kCommandLineDataWord = 0;

// Command lines. The ones followed by numbers take them separated by spaces.
inline constexpr char16_t kWorldClockCommand[] = u"WorldClock";
inline constexpr char16_t kScreenSaverCommand[] = u"ScreenSaver";
inline constexpr char16_t kChooseCityCommand[] = u"ChooseCity";  // requester, country, region, city
inline constexpr char16_t kOptionsCommand[] = u"Options";        // page
inline constexpr char16_t kNewAlarmCommand[] = u"NewAlarm";
inline constexpr char16_t kNewOneTimeAlarmCommand[] = u"New1TAlarm";
inline constexpr char16_t kEditAlarmCommand[] = u"EditAlarm";    // alarm identifier

// The interface text table in the main program's folder, read by every program with a face.
inline constexpr char16_t kTextTableFile[] = u"ZunTime.txt";

}  // namespace zt::contracts
