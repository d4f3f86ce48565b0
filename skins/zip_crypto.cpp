#include "skins/zip_crypto.h"

#include <zlib.h>

namespace zt::skins {
namespace {

uint32_t crc_step(uint32_t crc, uint8_t byte) {
    static const z_crc_t* table = get_crc_table();
    return table[(crc ^ byte) & 0xFFu] ^ (crc >> 8);
}

}  // namespace

ZipDecryptor::ZipDecryptor(std::string_view password) {
    for (char c : password) update(static_cast<uint8_t>(c));
}

uint8_t ZipDecryptor::stream_byte() const {
    uint32_t temp = (m_keys[2] & 0xFFFFu) | 2u;
    return static_cast<uint8_t>((temp * (temp ^ 1u)) >> 8);
}

void ZipDecryptor::update(uint8_t plain) {
    m_keys[0] = crc_step(m_keys[0], plain);
    m_keys[1] = (m_keys[1] + (m_keys[0] & 0xFFu)) * 134775813u + 1u;
    m_keys[2] = crc_step(m_keys[2], static_cast<uint8_t>(m_keys[1] >> 24));
}

uint8_t ZipDecryptor::decrypt(uint8_t cipher) {
    uint8_t plain = cipher ^ stream_byte();
    update(plain);
    return plain;
}

uint8_t ZipDecryptor::encrypt(uint8_t plain) {
    uint8_t cipher = plain ^ stream_byte();
    update(plain);
    return cipher;
}

}  // namespace zt::skins
