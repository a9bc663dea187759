// Shared pieces of the collection templates: POSITION and the element
// helpers that callers may specialise (CompareElements, HashKey).
#pragma once

#include <type_traits>
#include <cstdint>
#include <cstring>

#include "fw_object.h"
#include "fw_string.h"

// Opaque iterator of lists and maps; null means "no more elements".
struct FW_POSITION_TAG { };
typedef FW_POSITION_TAG* POSITION;
#define BEFORE_START_POSITION ((POSITION)-1L)

template <class TYPE, class ARG_TYPE>
inline BOOL AFXAPI CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2)
{
    return *pElement1 == *pElement2;
}

// Hash of a map key. Integers, enums and pointers hash by value; the string
// forms are specialised below. Other key types need a specialisation.
template <class ARG_KEY> inline UINT AFXAPI HashKey(ARG_KEY key)
{
    using K = std::remove_cv_t<std::remove_reference_t<ARG_KEY>>;
    if constexpr (std::is_pointer_v<K>) {
        return static_cast<UINT>(reinterpret_cast<uintptr_t>(key) >> 4);
    } else if constexpr (std::is_integral_v<K> || std::is_enum_v<K>) {
        uint64_t v = static_cast<uint64_t>(key);
        return static_cast<UINT>(v ^ (v >> 32));
    } else {
        static_assert(std::is_pointer_v<K>, "HashKey needs a specialisation for this key type");
        return 0;
    }
}

namespace fw_detail {
template <class C> inline UINT HashChars(const C* p)
{
    UINT h = 0;
    if (p != nullptr) {
        while (*p != 0)
            h = (h << 5) + h + static_cast<UINT>(static_cast<std::make_unsigned_t<C>>(*p++));
    }
    return h;
}
} // namespace fw_detail

template <> inline UINT AFXAPI HashKey<LPCWSTR>(LPCWSTR key)
{
    return fw_detail::HashChars(key);
}
template <> inline UINT AFXAPI HashKey<LPCSTR>(LPCSTR key)
{
    return fw_detail::HashChars(key);
}
template <> inline UINT AFXAPI HashKey<LPWSTR>(LPWSTR key)
{
    return fw_detail::HashChars(key);
}
template <> inline UINT AFXAPI HashKey<LPSTR>(LPSTR key)
{
    return fw_detail::HashChars(key);
}
template <> inline UINT AFXAPI HashKey<const CStringW&>(const CStringW& key)
{
    return fw_detail::HashChars(key.GetString());
}
template <> inline UINT AFXAPI HashKey<const CStringA&>(const CStringA& key)
{
    return fw_detail::HashChars(key.GetString());
}
template <> inline UINT AFXAPI HashKey<CStringW>(CStringW key)
{
    return fw_detail::HashChars(key.GetString());
}
template <> inline UINT AFXAPI HashKey<CStringA>(CStringA key)
{
    return fw_detail::HashChars(key.GetString());
}
template <> inline UINT AFXAPI HashKey<CStringW&>(CStringW& key)
{
    return fw_detail::HashChars(key.GetString());
}
template <> inline UINT AFXAPI HashKey<CStringA&>(CStringA& key)
{
    return fw_detail::HashChars(key.GetString());
}
