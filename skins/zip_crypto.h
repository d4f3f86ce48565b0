#pragma once
// The traditional zip encryption: three 32-bit keys stirred by every plain byte.
#include <cstdint>
#include <string_view>

namespace zt::skins {

class ZipDecryptor {
public:
    explicit ZipDecryptor(std::string_view password);
    uint8_t decrypt(uint8_t cipher);
    void decrypt(uint8_t* bytes, size_t count) {
        for (size_t i = 0; i < count; ++i) bytes[i] = decrypt(bytes[i]);
    }
    // Test support: the matching encryption step.
    uint8_t encrypt(uint8_t plain);

private:
    uint8_t stream_byte() const;
    void update(uint8_t plain);

    uint32_t m_keys[3] { 0x12345678u, 0x23456789u, 0x34567890u };
};

}  // namespace zt::skins
