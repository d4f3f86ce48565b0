#pragma once
// CGenericMap: the one hash map of the product. Open addressing with linear probing over a
// table of 2^b slots kept in groups of 32, each group led by a 32-bit occupancy bitmap.
//
// Contract:
// - The table is never more than half full (count <= 2^(b-1)) and never has more than 2^24
//   slots; an insertion that would need more is refused.
// - A failed insertion (table limit or memory exhausted while growing) leaves the map exactly
//   as it was.
// - Iteration visits occupied slots in ascending slot order. That order is stable only while
//   the map is unchanged; it depends on the order of insertions, so callers never rely on it.
// - The hash is a virtual operation of the instance (the Hash policy gives the default).
// - Keys and values must be movable without throwing: growing and removal move pairs around
//   and must not fail half-way.
#include <cstdint>
#include <cstddef>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

namespace zt::core {

// h = h * 5 + unit * 37 over the UTF-16 code units, unsigned 32-bit; an empty text gives 0.
struct TextHash {
    uint32_t operator()(std::u16string_view text) const {
        uint32_t h = 0;
        for (char16_t unit : text) h = h * 5u + static_cast<uint32_t>(unit) * 37u;
        return h;
    }
};

// Integer keys hash to themselves.
struct IntegerHash {
    template <class Int>
    uint32_t operator()(Int key) const { return static_cast<uint32_t>(key); }
};

template <class Key, class Value, class Hash>
class CGenericMap {
    static_assert(std::is_nothrow_move_constructible_v<Key> && std::is_nothrow_move_constructible_v<Value>,
                  "growth and removal move pairs and must not fail half-way");

public:
    static constexpr unsigned kMaxBits = 24;
    // The most pairs a map ever holds; an insertion beyond it is refused whatever the memory.
    static constexpr size_t kMaxCount = size_t { 1 } << (kMaxBits - 1);
    // A group holds 32 slots under one bitmap word, so no table is smaller than 32 slots.
    static constexpr unsigned kMinBits = 5;

    explicit CGenericMap(unsigned initial_bits = kMinBits)
        : m_initial_bits(initial_bits < kMinBits ? kMinBits : (initial_bits > kMaxBits ? kMaxBits : initial_bits)) {}
    virtual ~CGenericMap() { clear(); }

    CGenericMap(const CGenericMap&) = delete;
    CGenericMap& operator=(const CGenericMap&) = delete;
    CGenericMap(CGenericMap&& other) noexcept { take_from(other); }
    CGenericMap& operator=(CGenericMap&& other) noexcept {
        if (this != &other) {
            clear();
            take_from(other);
        }
        return *this;
    }

    virtual uint32_t hash(const Key& key) const { return Hash {}(key); }

    // Adds the pair, or replaces the value of an equal key. False when the table cannot grow;
    // the value is then left where it was (moved from only on success).
    bool insert(Key key, const Value& value)
        requires std::is_copy_constructible_v<Value>
    {
        Value copy(value);
        return insert(std::move(key), std::move(copy));
    }
    bool insert(Key key, Value&& value) {
        if (!m_groups && !allocate(m_initial_bits, m_groups, m_bits)) return false;
        for (;;) {
            size_t slot = slot_index(hash(key));
            while (occupied(slot)) {
                if (slot_ref(slot).key == key) {
                    slot_ref(slot).value = std::move(value);
                    return true;
                }
                slot = next(slot);
            }
            if (m_count + 1 <= (size_t { 1 } << (m_bits - 1))) {
                construct(slot, std::move(key), std::move(value));
                return true;
            }
            if (!grow()) return false;
        }
    }

    // Makes room for `count` pairs in all, so that inserting up to that many grows the table
    // no further: one allocation instead of a doubling (and a move of every pair) per power of
    // two. False, with the map unchanged, when that needs more than 2^24 slots or more memory.
    bool reserve(size_t count) {
        unsigned bits = m_groups ? m_bits : m_initial_bits;
        while (bits <= kMaxBits && count > (size_t { 1 } << (bits - 1))) ++bits;
        if (bits > kMaxBits) return false;
        if (!m_groups) return allocate(bits, m_groups, m_bits);
        return bits == m_bits || rehash(bits);
    }

    Value* lookup(const Key& key) {
        size_t slot = find_slot(key);
        return slot == kNotFound ? nullptr : &slot_ref(slot).value;
    }
    const Value* lookup(const Key& key) const { return const_cast<CGenericMap*>(this)->lookup(key); }
    bool contains(const Key& key) const { return find_slot(key) != kNotFound; }

    // Takes the key out and re-inserts the rest of its probe run, so that no lookup stops
    // early at the slot just emptied. False when the key was not present.
    bool remove(const Key& key) {
        size_t slot = find_slot(key);
        if (slot == kNotFound) return false;
        destroy(slot);
        for (size_t s = next(slot); occupied(s); s = next(s)) {
            Slot moved { std::move(slot_ref(s).key), std::move(slot_ref(s).value) };
            destroy(s);
            place(std::move(moved.key), std::move(moved.value));
        }
        return true;
    }

    void clear() {
        if (m_groups) {
            for (size_t s = 0; s < capacity(); ++s)
                if (occupied(s)) destroy(s);
        }
        m_groups.reset();
        m_bits = 0;
        m_count = 0;
    }

    size_t count() const { return m_count; }
    bool empty() const { return m_count == 0; }
    unsigned bits() const { return m_bits; }
    size_t capacity() const { return m_groups ? size_t { 1 } << m_bits : 0; }

    // Visits (key, value) in ascending slot order. The visitor must not change the map.
    template <class Visitor>
    void for_each(Visitor&& visit) const {
        for (size_t s = 0; s < capacity(); ++s)
            if (occupied(s)) visit(static_cast<const Key&>(slot_ref(s).key), static_cast<const Value&>(slot_ref(s).value));
    }
    template <class Visitor>
    void for_each(Visitor&& visit) {
        for (size_t s = 0; s < capacity(); ++s)
            if (occupied(s)) visit(static_cast<const Key&>(slot_ref(s).key), slot_ref(s).value);
    }

private:
    struct Slot {
        Key key;
        Value value;
    };
    struct Group {
        uint32_t occupancy { 0 };
        alignas(Slot) unsigned char storage[32 * sizeof(Slot)];
    };
    static constexpr size_t kNotFound = ~size_t { 0 };

    size_t slot_index(uint32_t h) const { return static_cast<uint32_t>(h * 0x9E3779B9u) >> (32 - m_bits); }
    size_t next(size_t slot) const { return (slot + 1) & (capacity() - 1); }
    bool occupied(size_t slot) const { return (m_groups[slot >> 5].occupancy >> (slot & 31)) & 1u; }
    Slot& slot_ref(size_t slot) const {
        return *std::launder(reinterpret_cast<Slot*>(m_groups[slot >> 5].storage + (slot & 31) * sizeof(Slot)));
    }

    size_t find_slot(const Key& key) const {
        if (!m_groups) return kNotFound;
        for (size_t slot = slot_index(hash(key)); occupied(slot); slot = next(slot))
            if (slot_ref(slot).key == key) return slot;
        return kNotFound;
    }

    void construct(size_t slot, Key&& key, Value&& value) {
        ::new (m_groups[slot >> 5].storage + (slot & 31) * sizeof(Slot)) Slot { std::move(key), std::move(value) };
        m_groups[slot >> 5].occupancy |= 1u << (slot & 31);
        ++m_count;
    }
    void destroy(size_t slot) {
        slot_ref(slot).~Slot();
        m_groups[slot >> 5].occupancy &= ~(1u << (slot & 31));
        --m_count;
    }
    // Stores a pair known to be absent into a table known to have room.
    void place(Key&& key, Value&& value) {
        size_t slot = slot_index(hash(key));
        while (occupied(slot)) slot = next(slot);
        construct(slot, std::move(key), std::move(value));
    }

    static bool allocate(unsigned bits, std::unique_ptr<Group[]>& groups, unsigned& bits_out) {
        if (bits > kMaxBits) return false;
        size_t group_count = (size_t { 1 } << bits) / 32;
        Group* raw = new (std::nothrow) Group[group_count];
        if (!raw) return false;
        groups.reset(raw);
        bits_out = bits;
        return true;
    }

    bool grow() { return rehash(m_bits + 1); }

    // Moves every pair into a new table of 2^bits slots (bits above the current count).
    bool rehash(unsigned bits) {
        std::unique_ptr<Group[]> old_groups;
        unsigned new_bits = 0;
        if (!allocate(bits, old_groups, new_bits)) return false;
        // old_groups now holds the new table; swap so the members describe the new one.
        std::swap(old_groups, m_groups);
        size_t old_capacity = size_t { 1 } << m_bits;
        m_bits = new_bits;
        m_count = 0;
        for (size_t s = 0; s < old_capacity; ++s) {
            Group& group = old_groups[s >> 5];
            if (!((group.occupancy >> (s & 31)) & 1u)) continue;
            Slot* old_slot = std::launder(reinterpret_cast<Slot*>(group.storage + (s & 31) * sizeof(Slot)));
            place(std::move(old_slot->key), std::move(old_slot->value));
            old_slot->~Slot();
        }
        return true;
    }

    void take_from(CGenericMap& other) {
        m_initial_bits = other.m_initial_bits;
        m_groups = std::move(other.m_groups);
        m_bits = std::exchange(other.m_bits, 0);
        m_count = std::exchange(other.m_count, 0);
    }

    unsigned m_initial_bits { kMinBits };
    unsigned m_bits { 0 };
    size_t m_count { 0 };
    std::unique_ptr<Group[]> m_groups;
};

}  // namespace zt::core
