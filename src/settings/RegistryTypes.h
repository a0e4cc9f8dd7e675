#pragma once
#include <cstdint>

// The registry's own numbers, under names of our own so they never meet the system headers.

// An open key of the per-user store; the predefined roots have fixed values.
enum class ERegKeyHandle : std::uintptr_t {};
inline constexpr ERegKeyHandle kHKeyClassesRoot{0x80000000u};
inline constexpr ERegKeyHandle kHKeyCurrentUser{0x80000001u};
inline constexpr ERegKeyHandle kHKeyLocalMachine{0x80000002u};
inline constexpr ERegKeyHandle kHKeyUsers{0x80000003u};

// Error codes, as the system numbers them.
namespace RegError {
inline constexpr std::uint32_t Success = 0;
inline constexpr std::uint32_t FileNotFound = 2;
inline constexpr std::uint32_t AccessDenied = 5;
inline constexpr std::uint32_t InvalidHandle = 6;
inline constexpr std::uint32_t NotEnoughMemory = 8;
inline constexpr std::uint32_t BadNetPath = 53;
inline constexpr std::uint32_t InvalidParameter = 87;
inline constexpr std::uint32_t DiskFull = 112;
inline constexpr std::uint32_t InvalidFlags = 1004;
} // namespace RegError

// Value types.
namespace RegType {
inline constexpr std::uint32_t None = 0;
inline constexpr std::uint32_t String = 1;
inline constexpr std::uint32_t ExpandString = 2;
inline constexpr std::uint32_t Binary = 3;
inline constexpr std::uint32_t Dword = 4;
inline constexpr std::uint32_t DwordBigEndian = 5;
inline constexpr std::uint32_t MultiString = 7;
} // namespace RegType

// Access rights (REGSAM).
namespace RegAccess {
inline constexpr std::uint32_t QueryValue = 0x0001;
inline constexpr std::uint32_t SetValue = 0x0002;
inline constexpr std::uint32_t CreateSubKey = 0x0004;
inline constexpr std::uint32_t Read = 0x20019;
inline constexpr std::uint32_t Write = 0x20006;
inline constexpr std::uint32_t AllAccess = 0xF003F;
} // namespace RegAccess

// What creating a key found.
namespace RegDisposition {
inline constexpr std::uint32_t CreatedNewKey = 1;
inline constexpr std::uint32_t OpenedExistingKey = 2;
} // namespace RegDisposition
