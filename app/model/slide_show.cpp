#include "app/model/slide_show.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>

#include "platform/base/clock.h"
#include "platform/base/device_path.h"
#include "skins/drawing.h"

namespace zt::app {
namespace {

constexpr std::u16string_view kPictureExtensions[] = { u"jpg", u"jpeg", u"gif", u"png", u"bmp", u"tif" };
constexpr uint32_t kDefaultScaling = 1;

char16_t lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool same_size(const std::optional<skins::CPicture>& picture, const skins::CPicture& target) {
    return picture && picture->width() == target.width() && picture->height() == target.height();
}

void copy_pixels(skins::CPicture& destination, const skins::CPicture& source) {
    std::copy(source.bits(), source.bits() + source.byte_size(), destination.bits());
}

void copy_rows(skins::CPicture& destination, const skins::CPicture& source, int32_t first, int32_t end) {
    for (int32_t y = first; y < end; ++y)
        std::copy(source.pixel(0, y), source.pixel(0, y) + source.width() * 3, destination.pixel(0, y));
}

void copy_columns(skins::CPicture& destination, const skins::CPicture& source, int32_t first, int32_t end) {
    if (end <= first) return;
    for (int32_t y = 0; y < source.height(); ++y)
        std::copy(source.pixel(first, y), source.pixel(first, y) + (end - first) * 3, destination.pixel(first, y));
}

}  // namespace

SlideShowEffect SlideShowEffect::unpack(uint32_t packed) {
    return { static_cast<uint8_t>(packed & 0xFF), ((packed >> 8) & 0xFF) != 0, static_cast<uint8_t>((packed >> 16) & 0xFF),
             ((packed >> 24) & 0xFF) != 0 };
}

uint32_t SlideShowEffect::pack() const {
    return uint32_t { transition } | (random_transition ? 1u << 8 : 0u) | (uint32_t { hold_seconds } << 16) |
           (random_order ? 1u << 24 : 0u);
}

bool is_slide_show_picture(std::u16string_view file_name) {
    const size_t dot = file_name.rfind(u'.');
    if (dot == std::u16string_view::npos) return false;
    std::u16string extension(file_name.substr(dot + 1));
    std::transform(extension.begin(), extension.end(), extension.begin(), lower);
    return std::find(std::begin(kPictureExtensions), std::end(kPictureExtensions), extension) !=
           std::end(kPictureExtensions);
}

std::vector<std::filesystem::path> collect_slide_show_pictures(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> pictures;
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        if (it->is_directory(error)) continue;
        if (is_slide_show_picture(it->path().filename().u16string())) pictures.push_back(it->path());
    }
    std::sort(pictures.begin(), pictures.end());
    return pictures;
}

CSlideShow::CSlideShow() : CSlideShow(platform::tick_count, [] { return static_cast<int32_t>(std::rand() & 0x7FFF); }) {}

CSlideShow::CSlideShow(TickSource ticks, RandomSource random, Decoder decode)
    : m_ticks(std::move(ticks)), m_random(std::move(random)), m_decode(std::move(decode)) {
    if (!m_decode) m_decode = [](const std::filesystem::path& file) { return platform::gui::decode_image_file(file); };
}

bool CSlideShow::start(std::u16string_view device_folder, skins::CPicture& target, uint32_t packed_effect,
                       uint32_t scaling) {
    stop();
    if (device_folder.empty()) return false;
    const std::optional<std::filesystem::path> folder = platform::map_device_path(device_folder);
    return folder && start_in(*folder, target, packed_effect, scaling);
}

bool CSlideShow::start_in(const std::filesystem::path& folder, skins::CPicture& target, uint32_t packed_effect,
                          uint32_t scaling) {
    stop();
    if (target.width() <= 0 || target.height() <= 0) return false;
    std::vector<std::filesystem::path> pictures = collect_slide_show_pictures(folder);
    if (pictures.empty()) return false;
    for (std::optional<skins::CPicture>* image : { &m_shown, &m_spare, &m_frame }) {
        if (!same_size(*image, target)) *image = skins::CPicture::create(target.width(), target.height());
        if (!*image) return false;
    }
    copy_pixels(*m_shown, target);
    copy_pixels(*m_spare, target);
    m_pictures = std::move(pictures);
    m_effect = SlideShowEffect::unpack(packed_effect);
    m_transition = m_effect.transition;
    m_scaling = scaling;
    // Before the first picture; the first advance shows the first one in folder order.
    m_index = -1;
    m_step = kStepDone;
    m_frame_drawn = false;
    m_target = &target;
    return true;
}

void CSlideShow::stop() {
    m_target = nullptr;
    m_pictures.clear();
    m_index = -1;
    m_step = kStepDone;
    m_frame_drawn = false;
}

const skins::CPicture* CSlideShow::picture() const {
    if (!running()) return nullptr;
    return in_transition() && m_frame_drawn ? &*m_frame : m_target;
}

bool CSlideShow::tick() {
    if (!running()) return false;
    if (m_step >= kStepDone) {
        m_hold_start = m_ticks();
        if (!load_next()) return false;
        if (m_effect.random_transition) m_transition = static_cast<uint8_t>(m_random() * kSlideTransitionCount / 32768);
        std::swap(m_shown, m_spare);
        m_step = kHolding;
    }
    if (m_step < 0) {
        // Unsigned difference: the window survives the tick count wrapping round.
        if (m_ticks() - m_hold_start < uint32_t { m_effect.hold_seconds } * 1000u) return false;
        m_step = 0;
    }
    bool changed = compose(m_step);
    m_step += kStepSize;
    if (m_step >= kStepDone) {
        copy_pixels(*m_target, *m_shown);
        changed = true;
    }
    return changed;
}

bool CSlideShow::load_next() {
    const int32_t count = static_cast<int32_t>(m_pictures.size());
    if (count == 0) return false;
    int32_t next = m_effect.random_order ? m_random() * count / 32768 : (m_index + 1) % count;
    next = std::clamp(next, 0, count - 1);
    // An undecodable file is passed over; after a random pick the search goes on in folder order,
    // so it ends once every file was tried.
    const int32_t first = next;
    do {
        m_index = next;
        if (decode_into_spare(m_pictures[static_cast<size_t>(next)])) return true;
        next = (next + 1) % count;
    } while (next != first);
    return false;
}

bool CSlideShow::decode_into_spare(const std::filesystem::path& file) {
    std::optional<platform::gui::DecodedImage> image = m_decode(file);
    if (!image || image->width <= 0 || image->height <= 0 ||
        image->bits.size() < static_cast<size_t>(image->stride) * static_cast<size_t>(image->height))
        return false;
    skins::fill_picture(*m_spare, {});
    const skins::PixelView source { image->bits.data(), image->width, image->height, image->stride };
    // A scaling mode the scaler does not know draws nothing: the default mode shows the picture.
    if (!skins::scale_picture(m_spare->view(), source, m_scaling))
        skins::scale_picture(m_spare->view(), source, kDefaultScaling);
    return true;
}

bool CSlideShow::compose(int32_t step) {
    // Going out: m_spare; coming in: m_shown.
    const skins::CPicture& from = *m_spare;
    const skins::CPicture& to = *m_shown;
    skins::CPicture& frame = *m_frame;
    const int32_t width = frame.width(), height = frame.height();
    switch (static_cast<SlideTransition>(m_transition)) {
        case SlideTransition::CrossFade:
            for (int32_t y = 0; y < height; ++y) {
                const uint8_t* a = from.pixel(0, y);
                const uint8_t* b = to.pixel(0, y);
                uint8_t* out = frame.pixel(0, y);
                for (int32_t i = 0; i < width * 3; ++i) out[i] = static_cast<uint8_t>((a[i] * (255 - step) + b[i] * step) >> 8);
            }
            break;
        case SlideTransition::VerticalWipe:
        case SlideTransition::HorizontalWipe: {
            if (step == 0) copy_pixels(frame, from);
            const bool rows = static_cast<SlideTransition>(m_transition) == SlideTransition::VerticalWipe;
            const int32_t size = rows ? height : width;
            const int32_t first = step < kStepSize ? 0 : (step - kStepSize) * size / 256;
            const int32_t end = step * size / 256;
            if (rows)
                copy_rows(frame, to, first, end);
            else
                copy_columns(frame, to, first, end);
            if (step != 0 && end <= first) return false;
            break;
        }
        default:
            // A cut: the new picture at once, nothing more until the transition ends.
            if (step != 0) return false;
            copy_pixels(frame, to);
            break;
    }
    m_frame_drawn = true;
    return true;
}

}  // namespace zt::app
