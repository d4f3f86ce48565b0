#pragma once
// FavoritesList: the user's own cities (copies of database cities, possibly renamed, and custom
// cities), kept in "FavList.dat", and the four slots the world clock shows.
//
// Contract:
//  - load() and save() hold the device-wide mutex "4D79064E-A5B0-4a41-92B5-89527B016871Favorites"
//    for their whole run, so another process never sees half a file.
//  - A failed load (no file, short, foreign, other version) leaves an empty list, all slots
//    empty and the custom counter at 100000; the next save writes a fresh file. A file that
//    cannot be written is skipped (save() says false, the list is untouched).
//  - A load that could not take the mutex, or found a file it could not open, has not read
//    the user's list: every save is refused (false) until a load succeeds or finds no file,
//    so that the empty list never replaces the file.
//  - Slots hold entry indices (or -1). Sorting and deleting keep each slot on its city.
//  - set_slot() publishes the slot to the registry value "City%d" and tells the Today item;
//    the caller saves the settings and this file right after.
//  - One list is used from one thread.
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/system_time.h"
#include "world/city_database.h"
#include "world/city_record.h"
#include "world/favorites_file.h"
#include "world/slot_publisher.h"

namespace zt::world {

inline constexpr char16_t kFavoritesMutexName[] = u"4D79064E-A5B0-4a41-92B5-89527B016871Favorites";

class FavoritesList {
public:
    // The process-wide list, on the process-wide database, created on first use; its slot
    // changes are posted to the Today item's window.
    static FavoritesList& instance();

    // The database gives the zones' rules for publishing and local time; the notifier
    // reaches the Today item (nothing is sent when it is null).
    explicit FavoritesList(CityDatabase& database, CitiesChangedNotifier* notifier = nullptr);
    FavoritesList(const FavoritesList&) = delete;
    FavoritesList& operator=(const FavoritesList&) = delete;

    void set_notifier(CitiesChangedNotifier* notifier) { m_notifier = notifier; }

    bool load(const std::filesystem::path& path);
    bool save();
    const std::filesystem::path& file_path() const { return m_path; }
    // Empties the list: no entries, slots empty, custom counter at 100000. The path stays, and
    // so does a refusal to save left by the last load.
    void clear();

    size_t count() const { return m_entries.size(); }
    const CityRecord* entry(int index) const;
    // For editing an entry in place (name, coordinates, zone); sort() afterwards.
    CityRecord* entry(int index);
    int index_of(uint32_t id) const;  // -1 for id 0 or no match
    bool contains(uint32_t id) const { return index_of(id) >= 0; }

    void add(const CityRecord& city);  // appends; the caller sorts when it wants
    void sort();
    // Refused (false) for id 0, an id not in the list, or a city that occupies a slot.
    bool remove(uint32_t id);

    int slot(int n) const;  // -1 for an empty slot or n outside 0..3
    const CityRecord* slot_city(int n) const;
    std::u16string slot_city_name(int n) const;
    std::optional<int> find_slot(uint32_t id) const;
    // Accepted for n in 0..3 and a valid entry index; publishes the slot.
    bool set_slot(int n, int index);
    // Publishes slot n again as it stands (after its city was edited); an empty slot, or a
    // city without a valid zone, deletes the value.
    void publish_slot(int n);

    uint32_t take_next_custom_id() { return m_next_custom_id++; }
    uint32_t next_custom_id() const { return m_next_custom_id; }

    // Local time of a city for a universal time; fails when the city's zone index is 0 or
    // beyond the database's zone table.
    std::optional<zt::platform::SYSTEMTIME> local_time(const CityRecord& city, const zt::platform::SYSTEMTIME& universal) const;

private:
    CityDatabase& m_database;
    CitiesChangedNotifier* m_notifier { nullptr };
    std::vector<CityRecord> m_entries;
    std::array<int, kSlotCount> m_slots { -1, -1, -1, -1 };
    uint32_t m_next_custom_id { kFirstCustomCityId };
    std::filesystem::path m_path;
    bool m_file_unread { false };  // the last load left a file at m_path unread
};

}  // namespace zt::world
