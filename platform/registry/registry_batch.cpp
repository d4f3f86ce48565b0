#include "platform/registry/connection.h"
#include "platform/registry/registry.h"

namespace zt::platform::registry {

std::optional<WriteBatch> WriteBatch::begin() {
    auto batch = std::make_unique<detail::Batch>();
    if (!batch->active()) return std::nullopt;
    return WriteBatch(std::move(batch));
}

bool WriteBatch::commit() { return m_batch && m_batch->commit(); }

WriteBatch::WriteBatch(std::unique_ptr<detail::Batch> batch) : m_batch(std::move(batch)) {}
WriteBatch::WriteBatch(WriteBatch&&) noexcept = default;
WriteBatch& WriteBatch::operator=(WriteBatch&&) noexcept = default;
WriteBatch::~WriteBatch() = default;

}  // namespace zt::platform::registry
