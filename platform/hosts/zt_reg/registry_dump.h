#pragma once
// Walking the registry into the dump format, and applying a parsed dump.
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/hosts/zt_reg/dump_format.h"
#include "platform/registry/registry.h"

namespace zt::platform::zt_reg {

struct ExportStart {
    registry::Root root { registry::Root::CurrentUser };
    std::u16string path;
};

// Writes the signature, then each start key with its values and every key below it (parents
// first, creation order). Status::NotFound, with nothing written, when a start key does not
// exist; keys that others delete meanwhile are skipped.
registry::Status export_trees(const std::vector<ExportStart>& starts, std::ostream& out);

// Creates each key and sets each value, in order, all in one transaction; existing values of
// the same name are replaced, others are left alone. Stops at the first failure and describes
// it in *failure; then nothing of the import is stored (nor when the process is killed
// before the end).
bool import_keys(const std::vector<DumpKey>& keys, std::string* failure);

}  // namespace zt::platform::zt_reg
