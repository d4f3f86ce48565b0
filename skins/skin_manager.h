#pragma once
// CSkinManager: the registered skins (HKEY_CURRENT_USER "Software\Zunworks\Zun Time\Skins",
// one string value per skin: name -> device folder), the current skin of this module, image
// resolution with high-resolution variants and the default skin as fallback, loading,
// removal and the start-up prune of high-resolution files on small screens.
//
// Folders and image paths are device paths ("\Program Files\Zun Time\Black\"); folders always
// end in "\". Each module (main program, ringing program, Today item, applet) has its own
// manager and so its own current skin.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "skins/image_cache.h"
#include "skins/image_strip.h"
#include "skins/picture.h"
#include "skins/skin_folder_safety.h"

namespace zt::skins {

inline constexpr char16_t kDefaultSkinName[] = u"default";
// The sub-folder of a skin where the prune keeps the high-resolution images a small screen
// does not use.
inline constexpr char16_t kPrunedFolder[] = u"Pruned_vga";

enum class SkinKind { Default, BuiltIn, Installed };
enum class SkinConsumer { MainProgram, Applet, Any };

// What the manager needs to know of the device, read once per module.
struct SkinScreen {
    bool high_resolution { false };  // screen width above 400 pixels
    int generation { 5 };            // zt::platform::platform_generation() of the device
};
SkinScreen read_skin_screen();

// The skin-load failure message goes through this, so that tests see the text; the program
// shows it as a message box.
class SkinMessageSink {
public:
    virtual ~SkinMessageSink() = default;
    virtual void show_message(std::u16string_view text) = 0;
};

inline constexpr char16_t kUnableToLoadSkin[] = u"Unable to load skin!";

struct ResolvedImage {
    std::u16string path;
    bool scaled { false };  // a normal-resolution image on a high-resolution screen
};

class CSkinManager {
public:
    // This module's manager, made on first use from the device profile.
    static CSkinManager& instance();
    explicit CSkinManager(SkinScreen screen);

    bool high_resolution() const { return m_screen.high_resolution; }
    int generation() const { return m_screen.generation; }

    static SkinKind skin_kind(std::u16string_view name);
    // Registered skins that suit the consumer, in registry order; refreshes the default folder.
    std::vector<std::u16string> build_skin_list(SkinConsumer consumer);
    // With trailing "\", or empty when the name is not registered (or has an empty folder).
    std::u16string skin_folder(std::u16string_view name) const;
    struct RegisteredSkin {
        std::u16string name;
        std::u16string folder;  // as skin_folder() gives it: empty when the value is
    };
    // Every registered skin, in registry order.
    std::vector<RegisteredSkin> registered_skins() const;

    const std::u16string& current_skin_name() const { return m_current_name; }
    const std::u16string& current_skin_folder() const { return m_current_folder; }

    // "Clock.png" -> the file to load; tries _vga forms first on a high-resolution screen and
    // the ".zip" form before the plain one, in the current skin and then the default skin.
    std::optional<ResolvedImage> resolve_image(std::u16string_view image_name);
    // Each file is decoded once and kept (see CImageCache) until its skin is left or the
    // cache is released; every caller gets a picture of its own.
    std::optional<CPicture> load_image(std::u16string_view image_name);
    // The same picture without a copy, shared with the cache: for callers that only read it.
    std::shared_ptr<const CPicture> shared_image(std::u16string_view image_name);
    CImageStrip load_image_strip(std::u16string_view image_name);
    // Drops the decoded images (the main dialog lost the foreground); the next loads decode
    // again.
    void release_image_cache() { m_images.clear(); }
    size_t cached_image_count() const { return m_images.size(); }

    // The main program sets the verifier once its window exists: it reloads every screen image
    // from the current skin and says whether all loaded. Without one, verify is not possible
    // yet and Load skin succeeds on the folder alone.
    void set_verifier(std::function<bool()> reload_images) { m_verifier = std::move(reload_images); }
    void set_message_sink(SkinMessageSink* sink) { m_messages = sink; }

    // Makes the skin current. Fails for an empty or unregistered name or a missing folder,
    // leaving the current skin as it was. A skin that fails verification is replaced by the
    // default skin after "Unable to load skin!"; the default skin failing fails.
    bool load_skin(std::u16string_view name, bool verify);

    // Deletes a skin as its kind allows (see skin_removal.cpp). False for the default skin
    // and for names not registered; failures of single steps are ignored. Its folder is
    // deleted only when it is plainly the skin's own (skin_folder_safety.h).
    bool remove_skin(std::u16string_view name);

    // The folder skins are installed in (device path, the main program's own folder). Skin
    // folders are deleted only inside it; without one, inside the default skin's parent.
    void set_installation_folder(std::u16string folder) { m_installation_folder = std::move(folder); }

    // Small screens only: moves every "*_vga" image of every skin aside into the skin's
    // kPrunedFolder (so that a larger screen can have them back) and removes skins whose
    // folders hold no images at all.
    void prune_high_resolution_files();
    // High-resolution screens only: moves the images a prune set aside back into their skins
    // (a file of the same name already there wins) and drops the emptied aside folders.
    void restore_high_resolution_files();

private:
    std::u16string default_folder();
    // Where this skin's folder may be deleted, and which folders it must not touch.
    SkinFolderRules folder_rules(std::u16string_view skin);

    SkinScreen m_screen;
    std::u16string m_current_name;
    std::u16string m_current_folder;
    std::optional<std::u16string> m_default_folder;
    std::u16string m_installation_folder;
    std::function<bool()> m_verifier;
    SkinMessageSink* m_messages { nullptr };
    CImageCache m_images;
};

// The skins options page's Remove rules for the selected row.
enum class SkinRemovalCheck { CurrentSkin, DefaultSkin, AskConfirmation };
SkinRemovalCheck check_skin_removal(std::u16string_view row, std::u16string_view active_skin,
                                    std::u16string_view today_skin);
// The message for the check: the refusal texts, or the question with the skin's name.
std::u16string skin_removal_message(SkinRemovalCheck check, std::u16string_view row);

}  // namespace zt::skins
