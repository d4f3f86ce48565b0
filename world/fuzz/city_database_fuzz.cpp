// Feeds arbitrary bytes to the city database as its file and runs every query over whatever
// opened. The database maps a file, so each input is written to a private temporary file.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/testing/temp_folder.h"
#include "world/city_database.h"
#include "world/testing/city_db_builder.h"
#include "world/testing/database_walk.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static zt::platform::testing::TempFolder folder;
    const auto path = folder / "TimeCitiesDB.dat";
    if (!zt::world::testing::write_file(path, std::vector<uint8_t>(data, data + size))) return 0;
    zt::world::CityDatabase db;
    if (db.open(path)) zt::world::testing::walk_database(db);
    return 0;
}
