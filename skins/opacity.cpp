#include "skins/opacity.h"

#include <atomic>

namespace zt::skins {
namespace {
std::atomic<int32_t> g_global_opacity { kOpaque };
std::atomic<int32_t> g_copy_opacity { kOpaque };
}  // namespace

void set_global_opacity(int32_t opacity) { g_global_opacity.store(opacity, std::memory_order_relaxed); }
int32_t global_opacity() { return g_global_opacity.load(std::memory_order_relaxed); }
void set_copy_opacity(int32_t opacity) { g_copy_opacity.store(opacity, std::memory_order_relaxed); }
int32_t copy_opacity() { return g_copy_opacity.load(std::memory_order_relaxed); }

int32_t apply_global_opacity(int32_t a) {
    int32_t g = global_opacity();
    if (g >= kOpaque) return a;
    if (g <= 0) return 0;
    return (a * g) >> 8;
}

ScopedOpacity::ScopedOpacity(int32_t global, int32_t copy) : m_global(global_opacity()), m_copy(copy_opacity()) {
    set_global_opacity(global);
    set_copy_opacity(copy);
}

ScopedOpacity::~ScopedOpacity() {
    set_global_opacity(m_global);
    set_copy_opacity(m_copy);
}

}  // namespace zt::skins
