#pragma once

#include "platform/Component.h"

#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <typeinfo>

/// dynamic_cast for the component tree's hot paths (owner lookups, child walks during printing).
/// A failed dynamic_cast compares the class names of every base by string; here the answer is
/// remembered per dynamic type, keyed by the address of its type_info, in a small direct-mapped
/// table per thread (plain data, so reaching it needs no initialisation guard). Two types that
/// share a slot only evict each other; any address a type_info has is correct.
/// `T` must derive from TComponent without virtual inheritance.
template<class T, class From> T* ComponentCast(From* object)
{
    static_assert(std::is_base_of_v<TComponent, std::remove_cv_t<T>>);
    static_assert(std::is_const_v<T> || !std::is_const_v<From>, "the cast would drop const");
    if (!object)
        return nullptr;
    struct Slot {
        const std::type_info* type;
        bool isT;
    };
    constexpr std::size_t kSlots = 32; // a power of two; the report's classes number a few dozen
    thread_local Slot known[kSlots];
    const std::type_info* dynamicType = &typeid(*object);
    // A type_info takes at least 16 bytes, so the low four bits tell neighbours apart poorly.
    Slot& slot = known[(reinterpret_cast<std::uintptr_t>(dynamicType) >> 4) % kSlots];
    if (slot.type != dynamicType)
        slot = Slot { dynamicType, dynamic_cast<T*>(object) != nullptr };
    return slot.isT ? static_cast<T*>(object) : nullptr;
}
