// A second process for the store tests. It works on the device named by ZT_ROOT.
//   save-alarms FIRST COUNT          saves alarms FIRST .. FIRST+COUNT-1 (07:00, Mon+Wed)
//   delete-alarms FIRST COUNT        reloads, then deletes those alarms one by one
//   save-alarm ID H M FLAGS          saves one alarm
//   next ID Y M D h m s              reloads and prints the next occurrence of ID as
//                                    "Y M D h m s ms weekday", or "none"
// Exit codes: 0 done, 1 not found, 2 usage.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/time_store.h"

using namespace zt::core;

namespace {

int number(const char* text) { return std::atoi(text); }

void save_alarm(CTimeStore& store, int id, int hour, int minute, uint32_t flags) {
    auto* alarm = static_cast<CAlarm*>(store.create_item(ItemType::Alarm, id));
    if (!alarm) alarm = store.find_alarm(id);
    if (!alarm) return;
    alarm->alarm_time = SYSTEMTIME { 0, 1, 0, 1, static_cast<uint16_t>(hour), static_cast<uint16_t>(minute), 0, 0 };
    alarm->flags = flags;
    alarm->name = u"from helper";
    alarm->save();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    std::string command = argv[1];
    CTimeStore store;
    if (command == "save-alarms" && argc == 4) {
        int first = number(argv[2]), count = number(argv[3]);
        for (int id = first; id < first + count; ++id) save_alarm(store, id, 7, 0, 0x05);
        return 0;
    }
    if (command == "save-alarm" && argc == 6) {
        save_alarm(store, number(argv[2]), number(argv[3]), number(argv[4]), static_cast<uint32_t>(std::strtoul(argv[5], nullptr, 0)));
        return 0;
    }
    if (command == "delete-alarms" && argc == 4) {
        store.reload_all();
        int first = number(argv[2]), count = number(argv[3]);
        for (int id = first; id < first + count; ++id) store.remove(id);
        return 0;
    }
    if (command == "next" && argc == 9) {
        store.reload_all();
        CTimeItem* item = store.find(number(argv[2]));
        if (!item) return 1;
        SYSTEMTIME reference { static_cast<uint16_t>(number(argv[3])), static_cast<uint16_t>(number(argv[4])), 0,
                               static_cast<uint16_t>(number(argv[5])), static_cast<uint16_t>(number(argv[6])),
                               static_cast<uint16_t>(number(argv[7])), static_cast<uint16_t>(number(argv[8])), 0 };
        if (auto normal = zt::platform::normalize(reference)) reference = *normal;
        SYSTEMTIME due {};
        if (!item->next_occurrence(reference, due)) {
            std::puts("none");
            return 0;
        }
        std::printf("%u %u %u %u %u %u %u %u\n", due.wYear, due.wMonth, due.wDay, due.wHour, due.wMinute, due.wSecond,
                    due.wMilliseconds, due.wDayOfWeek);
        return 0;
    }
    return 2;
}
