#pragma once

#include "platform/Component.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <typeinfo>

/// dynamic_cast for the component tree's hot paths (owner lookups, child walks during printing).
/// A failed dynamic_cast compares the class names of every base by string; here the answer is
/// remembered per dynamic type, keyed by the address of its type_info, in a small direct-mapped
/// table. A slot is one word, the type_info's address with the answer in its lowest bit, so the
/// table needs no lock and no per-thread copy: a thread-local in a shared library costs a call
/// at every access. Two types that share a slot only evict each other; any address a type_info
/// has is correct. `T` must derive from TComponent without virtual inheritance.
template<class T, class From> T* ComponentCast(From* object)
{
    static_assert(std::is_base_of_v<TComponent, std::remove_cv_t<T>>);
    static_assert(std::is_const_v<T> || !std::is_const_v<From>, "the cast would drop const");
    static_assert(alignof(std::type_info) > 1, "the answer bit needs a free low bit");
    if (!object)
        return nullptr;
    constexpr std::size_t kSlots = 32; // a power of two; the report's classes number a few dozen
    constexpr std::uintptr_t kIsT = 1;
    static std::atomic<std::uintptr_t> known[kSlots];
    const auto dynamicType = reinterpret_cast<std::uintptr_t>(&typeid(*object));
    // A type_info takes at least 16 bytes, so the low four bits tell neighbours apart poorly.
    std::atomic<std::uintptr_t>& slot = known[(dynamicType >> 4) % kSlots];
    std::uintptr_t entry = slot.load(std::memory_order_relaxed);
    if ((entry & ~kIsT) != dynamicType) {
        entry = dynamicType | (dynamic_cast<T*>(object) ? kIsT : 0);
        slot.store(entry, std::memory_order_relaxed);
    }
    return (entry & kIsT) ? static_cast<T*>(object) : nullptr;
}
