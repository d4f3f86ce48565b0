#include "world/favorites_list.h"

#include <algorithm>
#include <fstream>
#include <system_error>

#include "platform/base/mapped_file.h"
#include "platform/kernel/named_mutex.h"
#include "world/zone_local_time.h"

namespace zt::world {
namespace {

// Holds the favourites mutex for one load or save. A previous holder that died leaves the
// mutex abandoned; the file is then whatever it wrote last, which load() copes with.
class FavoritesLock {
public:
    FavoritesLock() {
        auto opened = zt::platform::NamedMutex::create_or_open(kFavoritesMutexName);
        if (!opened) return;
        m_mutex.emplace(std::move(opened->mutex));
        auto result = m_mutex->wait();
        m_held = result == zt::platform::NamedMutex::WaitResult::Acquired || result == zt::platform::NamedMutex::WaitResult::Abandoned;
    }
    ~FavoritesLock() {
        if (m_held) m_mutex->release();
    }
    FavoritesLock(const FavoritesLock&) = delete;
    FavoritesLock& operator=(const FavoritesLock&) = delete;
    bool held() const { return m_held; }

private:
    std::optional<zt::platform::NamedMutex> m_mutex;
    bool m_held { false };
};

bool write_whole_file(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    // Written beside the file and renamed over it, so a crash mid-write keeps the old list.
    std::filesystem::path temporary = path;
    temporary += ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            std::error_code ec;
            std::filesystem::remove(temporary, ec);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) std::filesystem::remove(temporary, ec);
    return !ec;
}

// Only a file that is plainly not there may be replaced by a list that was never read from
// it; anything that cannot be told for sure counts as present.
bool is_absent(const std::filesystem::path& path) {
    std::error_code ec;
    const auto status = std::filesystem::symlink_status(path, ec);
    return status.type() == std::filesystem::file_type::not_found;
}

}  // namespace

FavoritesList& FavoritesList::instance() {
    // The process-wide list is the main program's: its slot changes reach the Today item.
    static TodayWindowNotifier notifier;
    static FavoritesList list(CityDatabase::instance(), &notifier);
    return list;
}

FavoritesList::FavoritesList(CityDatabase& database, CitiesChangedNotifier* notifier) : m_database(database), m_notifier(notifier) {}

void FavoritesList::clear() {
    m_entries.clear();
    m_slots.fill(-1);
    m_next_custom_id = kFirstCustomCityId;
}

bool FavoritesList::load(const std::filesystem::path& path) {
    if (path.empty()) return false;
    FavoritesLock lock;
    m_path = path;
    clear();
    m_file_unread = true;
    if (!lock.held()) return false;
    auto file = zt::platform::MappedFile::open(path);
    if (!file) {
        m_file_unread = !is_absent(path);
        return false;
    }
    m_file_unread = false;
    auto contents = parse_favorites_file(file->bytes());
    if (!contents) return false;
    m_entries = std::move(contents->entries);
    m_next_custom_id = contents->next_custom_id;
    for (size_t n = 0; n < kSlotCount; ++n) m_slots[n] = index_of(contents->slot_ids[n]);
    sort();
    return true;
}

bool FavoritesList::save() {
    if (m_path.empty() || m_file_unread) return false;
    FavoritesLock lock;
    if (!lock.held()) return false;
    FavoritesFileContents contents;
    contents.entries = m_entries;
    contents.next_custom_id = m_next_custom_id;
    for (size_t n = 0; n < kSlotCount; ++n)
        contents.slot_ids[n] = m_slots[n] >= 0 ? m_entries[static_cast<size_t>(m_slots[n])].id : 0;
    return write_whole_file(m_path, serialize_favorites_file(contents));
}

const CityRecord* FavoritesList::entry(int index) const {
    return index >= 0 && static_cast<size_t>(index) < m_entries.size() ? &m_entries[static_cast<size_t>(index)] : nullptr;
}

CityRecord* FavoritesList::entry(int index) {
    return index >= 0 && static_cast<size_t>(index) < m_entries.size() ? &m_entries[static_cast<size_t>(index)] : nullptr;
}

int FavoritesList::index_of(uint32_t id) const {
    if (id == 0) return -1;
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].id == id) return static_cast<int>(i);
    return -1;
}

void FavoritesList::add(const CityRecord& city) { m_entries.push_back(city); }

void FavoritesList::sort() {
    std::array<uint32_t, kSlotCount> slot_ids {};
    for (size_t n = 0; n < kSlotCount; ++n) slot_ids[n] = m_slots[n] >= 0 ? m_entries[static_cast<size_t>(m_slots[n])].id : 0;
    std::stable_sort(m_entries.begin(), m_entries.end(),
                     [](const CityRecord& a, const CityRecord& b) { return a.name_view() < b.name_view(); });
    for (size_t n = 0; n < kSlotCount; ++n) m_slots[n] = index_of(slot_ids[n]);
}

bool FavoritesList::remove(uint32_t id) {
    if (id == 0 || find_slot(id)) return false;
    int index = index_of(id);
    if (index < 0) return false;
    m_entries.erase(m_entries.begin() + index);
    for (int& s : m_slots)
        if (s > index) --s;
    return true;
}

int FavoritesList::slot(int n) const { return n >= 0 && static_cast<size_t>(n) < kSlotCount ? m_slots[static_cast<size_t>(n)] : -1; }

const CityRecord* FavoritesList::slot_city(int n) const { return entry(slot(n)); }

std::u16string FavoritesList::slot_city_name(int n) const {
    const CityRecord* city = slot_city(n);
    return city ? std::u16string(city->name_view()) : std::u16string();
}

std::optional<int> FavoritesList::find_slot(uint32_t id) const {
    for (size_t n = 0; n < kSlotCount; ++n) {
        const CityRecord* city = entry(m_slots[n]);
        if (city && city->id == id) return static_cast<int>(n);
    }
    return std::nullopt;
}

bool FavoritesList::set_slot(int n, int index) {
    if (n < 0 || static_cast<size_t>(n) >= kSlotCount || !entry(index)) return false;
    m_slots[static_cast<size_t>(n)] = index;
    publish_slot(n);
    return true;
}

void FavoritesList::publish_slot(int n) {
    if (n < 0 || static_cast<size_t>(n) >= kSlotCount) return;
    const CityRecord* city = slot_city(n);
    const TimeZoneRecord* zone = city ? m_database.time_zone(city->time_zone) : nullptr;
    publish_slot_value(n, zone ? city : nullptr, zone ? &zone->rules : nullptr);
    if (m_notifier) m_notifier->post_cities_changed();
}

std::optional<zt::platform::SYSTEMTIME> FavoritesList::local_time(const CityRecord& city,
                                                                   const zt::platform::SYSTEMTIME& universal) const {
    const TimeZoneRecord* zone = m_database.time_zone(city.time_zone);
    if (!zone) return std::nullopt;
    return zone_local_time(decode_time_zone_rules(zone->rules), universal);
}

}  // namespace zt::world
