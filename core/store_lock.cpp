#include "core/store_lock.h"

#include "contracts/registry_keys.h"

namespace zt::core {

using zt::platform::NamedMutex;

CStoreLock::CStoreLock() {
    auto opened = NamedMutex::create_or_open(contracts::kStoreMutexName);
    if (!opened) return;
    m_mutex.emplace(std::move(opened->mutex));
    auto result = m_mutex->wait();
    m_held = result == NamedMutex::WaitResult::Acquired || result == NamedMutex::WaitResult::Abandoned;
}

CStoreLock::~CStoreLock() {
    if (m_mutex && m_held) m_mutex->release();
}

}  // namespace zt::core
