#pragma once
// CImageCache: the skin images a skin manager has decoded, so that loading a skin decodes each
// file once however many screens ask for it (the dialog and all six screens draw the same
// background). An entry is handed out only while its file is unchanged on disk (same file,
// size and modification time): a skin edited while the program runs is decoded afresh.
//
// The cached pictures are shared and never changed; a caller that draws into one takes a copy.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/file_stamp.h"
#include "skins/picture.h"

namespace zt::skins {

class CImageCache {
public:
    // The decoded picture of this device path, or null when it is not cached or the file
    // changed since.
    std::shared_ptr<const CPicture> find(std::u16string_view device_path) const;
    // Keeps a picture just decoded from the file and hands it back shared (kept only when the
    // file can be identified).
    std::shared_ptr<const CPicture> store(std::u16string_view device_path, CPicture picture);
    // Drops the entries whose files are in none of these folders (device paths ending in "\").
    void keep_only(const std::vector<std::u16string>& folders);
    void clear() { m_entries.clear(); }
    size_t size() const { return m_entries.size(); }

private:
    using Stamp = zt::platform::FileStamp;
    struct Entry {
        std::u16string path;
        Stamp stamp;
        std::shared_ptr<const CPicture> picture;
    };
    static std::optional<Stamp> stamp_of(std::u16string_view device_path);

    std::vector<Entry> m_entries;  // a few dozen at most: a skin's images
};

}  // namespace zt::skins
