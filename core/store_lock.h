#pragma once
// CStoreLock: holds the store mutex for one record write or one full reload. The product
// names the mutex; the device provides it. If the previous holder died mid-write the mutex
// comes back abandoned: the registry's own transactions keep each value whole, so the lock
// counts as held.
#include <optional>

#include "platform/kernel/named_mutex.h"

namespace zt::core {

class CStoreLock {
public:
    CStoreLock();   // create-or-open the store mutex and wait without limit
    ~CStoreLock();  // release and close
    CStoreLock(const CStoreLock&) = delete;
    CStoreLock& operator=(const CStoreLock&) = delete;
    bool held() const { return m_held; }

private:
    std::optional<zt::platform::NamedMutex> m_mutex;
    bool m_held { false };
};

}  // namespace zt::core
