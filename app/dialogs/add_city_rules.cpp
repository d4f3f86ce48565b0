#include "app/dialogs/add_city_rules.h"

#include <algorithm>
#include <array>

#include "world/city_database.h"

namespace zt::app {
namespace {

constexpr std::array<std::u16string_view, 8> kUsualCountries = {
    u"United States of America", u"United Kingdom", u"Germany", u"France", u"Italy", u"Russia", u"Australia", u"Spain",
};

}  // namespace

std::vector<uint32_t> first_countries(const world::CityDatabase& database, const std::vector<uint32_t>& stored,
                                      uint32_t to_front) {
    std::vector<uint32_t> first;
    for (uint32_t id : stored) {
        // A stored id from another database, or a repeat, would show a row that chooses nothing new.
        if (database.country(id) && std::find(first.begin(), first.end(), id) == first.end()) first.push_back(id);
    }
    if (stored.empty()) {
        for (std::u16string_view name : kUsualCountries) {
            if (const uint32_t index = database.find_country_index(name)) first.push_back(index);
        }
    }
    if (database.country(to_front)) {
        first.erase(std::remove(first.begin(), first.end(), to_front), first.end());
        first.insert(first.begin(), to_front);
    }
    return first;
}

void put_recent_country(std::vector<uint32_t>& recent, uint32_t country) {
    recent.erase(std::remove(recent.begin(), recent.end(), country), recent.end());
    recent.insert(recent.begin(), country);
    if (recent.size() > kMaxRecentCountries) recent.resize(kMaxRecentCountries);
}

std::vector<uint32_t> country_rows(const world::CityDatabase& database, const std::vector<uint32_t>& first) {
    std::vector<uint32_t> rows = first;
    rows.push_back(0);
    for (uint32_t index = 1; index <= database.country_count(); ++index) rows.push_back(index);
    return rows;
}

int landing_row(const std::vector<uint32_t>& rows, int row) {
    if (row < 0 || row >= static_cast<int>(rows.size()) || rows[static_cast<size_t>(row)] != 0) return row;
    if (row > 0) return row - 1;
    return rows.size() > 1 ? 1 : -1;
}

}  // namespace zt::app
