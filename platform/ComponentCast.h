#pragma once

#include "platform/Component.h"

#include <type_traits>
#include <typeinfo>
#include <utility>
#include <vector>

/// dynamic_cast for the component tree's hot paths (owner lookups, child walks during printing).
/// A failed dynamic_cast compares the class names of every base by string; here the answer is
/// remembered per dynamic type, keyed by the address of its type_info, so each type is cast once
/// per thread. Correct for any address a type_info has: another address only misses the cache.
/// `T` must derive from TComponent without virtual inheritance.
template<class T, class From> T* ComponentCast(From* object)
{
    static_assert(std::is_base_of_v<TComponent, std::remove_cv_t<T>>);
    static_assert(std::is_const_v<T> || !std::is_const_v<From>, "the cast would drop const");
    if (!object)
        return nullptr;
    const std::type_info* dynamicType = &typeid(*object);
    thread_local std::vector<std::pair<const std::type_info*, bool>> known;
    for (const auto& [type, isT] : known) {
        if (type == dynamicType)
            return isT ? static_cast<T*>(object) : nullptr;
    }
    const bool isT = dynamic_cast<T*>(object) != nullptr;
    known.emplace_back(dynamicType, isT);
    return isT ? static_cast<T*>(object) : nullptr;
}
